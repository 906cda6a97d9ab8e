// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The workgroup file: the accounts through which the trainer logs on before it may open the bank.
//
// It is a small unencrypted database of our own format, marked by its application id, holding for each account its
// name and a salted PBKDF2-HMAC-SHA256 hash of the password; the password itself is never stored. Account names
// match without regard to case, passwords exactly. It also records the identity of the bank file it was built with
// (see BankFile::identity), so that a workgroup file beside another build's bank is told apart from its own; files
// written before the identity was recorded carry none and go with any bank.
//
// Verifying a logon runs the slow hash once per process for each file, user and password; the file's identity
// (device, inode, size, modification time) is part of the cache key, so a workgroup file that changes is checked
// again. verify() is safe to call from any thread.
namespace WorkgroupFile {

// Writes a new workgroup file at PATH (which must not exist) holding the one account and the identity of the bank
// it belongs with. Throws BankError.
void create(const QString &path, const QByteArray &user, const QByteArray &password,
            const QByteArray &bankIdentity = QByteArray());

// Throws BankError naming the file when it is missing, not a workgroup file or damaged, when the account is
// unknown or when the password does not verify. Returns the identity of the bank the file belongs with, empty for
// a file that records none.
QByteArray verify(const QString &path, const QByteArray &user, const QByteArray &password);

// The identity of the bank the file at PATH belongs with, without any logon; empty for a file that records none.
// Throws BankError as verify() does for a file that is missing, no workgroup file or damaged.
QByteArray bankIdentity(const QString &path);

// How many slow password hashes verify() has run in this process.
int hashCount();

} // namespace WorkgroupFile
