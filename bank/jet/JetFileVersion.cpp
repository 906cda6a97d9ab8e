// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetFileVersion.h"

#include <QFile>
#include <QFileInfo>

#include "engine/FileSystem.h"

namespace JetFileVersion {

QByteArray of(const QString &path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    // Asked of the path itself: the canonical name of a folder whose name is not UTF-8 is decoded with a loss.
    const FileSystem::Status st = FileSystem::status(path);
    if (!st.exists)
        return QByteArray();
    const QByteArray name = canonical.toUtf8();
    // The path goes first with its length, so that no path can run into the numbers after it.
    QByteArray id = QByteArray::number(name.size()) + ':' + name;
    for (const qint64 part :
         {qint64(st.device), qint64(st.fileNumber), st.size, st.modifiedSeconds, st.modifiedNanoseconds})
        id += '|' + QByteArray::number(part);
    return id;
}

QByteArray pathOf(const QByteArray &version) {
    const int colon = version.indexOf(':');
    if (colon < 0)
        return QByteArray();
    return version.mid(colon + 1, version.left(colon).toInt());
}

} // namespace JetFileVersion
