// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetFileVersion.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace JetFileVersion {

QByteArray of(const QString &path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    struct stat st {};
    if (canonical.isEmpty() || ::stat(QFile::encodeName(canonical).constData(), &st) != 0)
        return QByteArray();
    const QByteArray name = canonical.toUtf8();
    // The path goes first with its length, so that no path can run into the numbers after it.
    QByteArray id = QByteArray::number(name.size()) + ':' + name;
    for (const qint64 part : {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec),
                              qint64(st.st_mtim.tv_nsec)})
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
