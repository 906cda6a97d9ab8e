// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Fonts.h"

#include <QStringList>

namespace {
const QString kSong = QStringLiteral("宋体");
}

void installFontSubstitutions() {
    const QStringList fallbacks{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(kSong, fallbacks);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), fallbacks);
}

QFont songFont(int pixelSize, bool bold) {
    QFont font(kSong);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
