// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Puts a newly written bank and workgroup file in place of the pair in a folder, and repairs a folder in which a
// build was killed halfway through doing so.
//
// The two files are written aside under names of their own, ".Bs.mdb.<process id>.<random>.tmp" and
// ".Mq4100.mdw.<process id>.<random>.tmp" (the engine adds "-journal" while it writes), and renamed into place: the
// workgroup file first, then the bank. The old workgroup file is kept as ".Mq4100.mdw.<process id>.<random>.old"
// until the new bank is in place, so that it can be put back. A build killed between the two renames leaves the new
// workgroup file beside the old bank; the workgroup file records which bank it belongs with, which tells from what
// is on disk alone whether to finish the commit (the new bank waits aside, complete) or to undo it.
namespace BankCommit {

// Replaces DIR/Bs.mdb and DIR/Mq4100.mdw by the files at BANKASIDE and WORKGROUPASIDE, which are in DIR. The
// replaced files' permissions, and their group (owner too, for the superuser), pass to the new ones. Throws
// BankError, leaving the old pair in place.
void commit(const QString &dir, const QString &bankAside, const QString &workgroupAside, const QString &unique);

// The names of the files a build that UNIQUE names ("<process id>.<random>") writes aside in DIR.
QString bankAside(const QString &dir, const QString &unique);
QString workgroupAside(const QString &dir, const QString &unique);

// Finishes or undoes a commit that a killed build left halfway in DIR, then removes whatever killed builds left
// aside. Files of a build still running stay. Returns a Chinese sentence saying what was repaired, empty when the
// folder needed none. Never throws: a folder it cannot repair is left for the opening to report.
QString recover(const QString &dir);

} // namespace BankCommit
