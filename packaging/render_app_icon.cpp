// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the trainer's icon into a hicolor icon-theme tree for installing: one PNG per size given, and with Qt SVG
// the scalable version. The pictures come from the same drawing as the window icon.
//
// Usage: render_app_icon OUT_DIR NAME SIZE...
//   writes OUT_DIR/hicolor/SIZExSIZE/apps/NAME.png and, with Qt SVG, OUT_DIR/hicolor/scalable/apps/NAME.svg

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

#ifdef MOCKEXAM_HAVE_SVG
#include <QSvgGenerator>
#endif

#include "ui/AppIcon.h"

namespace {

bool writePng(const QString &root, const QString &name, int size) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    return QDir().mkpath(folder) && appIconImage(size).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

#ifdef MOCKEXAM_HAVE_SVG
bool writeSvg(const QString &root, const QString &name) {
    const QString folder = root + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(folder))
        return false;
    QSvgGenerator svg;
    svg.setFileName(folder + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(256, 256));
    svg.setResolution(96);
    svg.setViewBox(QRectF(0, 0, 32, 32));
    svg.setTitle(name);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    // The icon has no text, but the generator writes the painter's font into every group; without an application
    // object that font has no size, which would come out as a negative font-size.
    QFont font;
    font.setPixelSize(12);
    painter.setFont(font);
    drawAppIcon(painter);
    return painter.end();
}
#endif

} // namespace

int main(int argc, char *argv[]) {
    QTextStream err(stderr);
    if (argc < 4) {
        err << "usage: render_app_icon OUT_DIR NAME SIZE...\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            err << "render_app_icon: not an icon size: " << argv[i] << '\n';
            return 2;
        }
        if (!writePng(root, name, size)) {
            err << "render_app_icon: cannot write the " << size << " pixel icon under " << root << '\n';
            return 1;
        }
    }
#ifdef MOCKEXAM_HAVE_SVG
    if (!writeSvg(root, name)) {
        err << "render_app_icon: cannot write the scalable icon under " << root << '\n';
        return 1;
    }
#endif
    return 0;
}
