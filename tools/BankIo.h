// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "tools/BankTables.h"

// The credentials a bank is built with. The defaults are the trainer's own, so that a built bank opens with the
// connection string the start screen gives.
struct BankCredentials {
    QByteArray user = "xyz";
    QByteArray password = "mvkpla.27.zqe";         // the workgroup account's password
    QByteArray databasePassword = "mvkpla.27.zqe"; // the bank's own key
};

// Writes OUT/Bs.mdb and OUT/Mq4100.mdw from the tables. Both are written aside and renamed into place, so a failed
// build leaves no half-written bank, and they take their places as a pair (see BankCommit). A commit that an earlier
// build left halfway when it was killed is finished or undone first. Throws BankError.
void writeBank(const BankTables &tables, const QString &outDir, const BankCredentials &credentials = {});

// Reads all three tables of the bank in DIR through the engine, with the trainer's connection string (or one built
// from the given credentials). Throws BankError.
BankTables readBank(const QString &dir, const BankCredentials &credentials = {});

// Reads every page that a table or an index uses in both files of the bank in DIR, through the engine's own
// integrity check (in the encrypted bank each page is decrypted and its checksum tested on the way). The tables'
// rows alone do not reach the index pages, which every drawing reads. One entry per damaged file: its name
// ("Bs.mdb", "Mq4100.mdw") and a Chinese message naming its path and quoting the engine's report; empty when both
// are sound. Throws BankError when the bank does not open.
struct FileDamage {
    QString file;
    QString message;
};
QList<FileDamage> checkBankPages(const QString &dir, const BankCredentials &credentials = {});
