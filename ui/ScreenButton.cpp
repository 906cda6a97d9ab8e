// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ScreenButton.h"

#include "ui/Fonts.h"

namespace {
TdxColors commonColors() {
    TdxColors colors;
    colors.BackgroundFrom = 13562879;
    colors.BackgroundTo = Colors::clWhite;
    colors.BorderLine = Colors::clGreen;
    return colors;
}
} // namespace

TdxColors startButtonColors() {
    TdxColors colors = commonColors();
    colors.ClickedTo = 13562879;
    colors.FocusedTo = 9352301;
    colors.HotTrack = Colors::clGreen;
    return colors;
}

TdxColors quitButtonColors() {
    TdxColors colors = commonColors();
    colors.FocusedFrom = 13618943;
    colors.FocusedTo = 6315007;
    return colors;
}

TdxButton *makeScreenButton(QWidget *parent, const char *objectName, const QString &caption, const QPoint &topLeft,
                            int width, const TdxColors &colors) {
    auto *button = new TdxButton(parent);
    button->setObjectName(QLatin1String(objectName));
    button->move(topLeft);
    button->resize(width, button->height());
    button->setCaption(caption);
    button->setFont(songFont(12));
    button->setFontColor(Colors::clMenuText);
    button->setColors(colors);
    button->setHotTrack(true);
    button->setLayout(TdxLayout::blGlyphRight);
    button->setQuality(TdxQuality::bqHigh);
    button->setShowFocusRect(false);
    return button;
}
