// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The workgroup file of an Access/Jet bank: itself a Jet database, whose accounts are the rows of its table
// MSysAccounts (column Name). Logging on requires that the file exists, is a Jet database and lists the account;
// account names match without regard to case, as Jet's do.
//
// How a Jet workgroup file keeps account passwords is not publicly documented, so the account's password cannot be
// checked against it; the bank's own database password is still checked (see JetBank). A logon found good is
// remembered for the file as it is, so that the file is read once and not for every statement.
namespace JetWorkgroup {

// Throws BankError naming the file when it is missing, not a Jet database, has no accounts table or does not list
// USER.
void verify(const QString &path, const QByteArray &user);

} // namespace JetWorkgroup
