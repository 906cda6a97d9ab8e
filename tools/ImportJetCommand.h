// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QTextStream;

// `mockexam-bank import-jet LEGACY_DIR OUT`: converts a legacy Access/Jet bank (LEGACY_DIR/Bs.mdb with its
// workgroup file LEGACY_DIR/Mq4100.mdw) into a bank of our own format in OUT, then checks the result as `check`
// does and returns its status. The legacy bank is opened through the engine with its credentials checked (the
// trainer's own unless --from-user, --from-password and --from-db-password say otherwise); the new bank gets the
// trainer's credentials unless the account options say otherwise. Throws BankError and UsageError (see ToolCommand).
int runImportJetCommand(const QStringList &args, QTextStream &out);
