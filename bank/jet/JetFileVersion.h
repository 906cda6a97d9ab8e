// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// A file as it is now: its canonical path, device, inode, size and modification time, run together into one id.
// An unchanged file gives the same id on every call; a file replaced, rewritten or touched gives another. The
// engine keys what it caches about an Access/Jet file (its snapshot, a verified logon) with it.
namespace JetFileVersion {

// Empty when the file cannot be examined.
QByteArray of(const QString &path);

// The canonical path at the front of an id, which stays the same across versions of one file.
QByteArray pathOf(const QByteArray &version);

} // namespace JetFileVersion
