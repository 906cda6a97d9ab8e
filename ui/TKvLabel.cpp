// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TKvLabel.h"

#include <QPainter>

TKvLabel::TKvLabel(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TKvLabel::setCaption(const QString &caption) {
    setText(caption);
}

void TKvLabel::setFontColor(TColor color) {
    m_fontColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    setPalette(palette);
    update();
}

TColor TKvLabel::Color() const {
    return fromQColor(palette().color(QPalette::Window));
}

void TKvLabel::setColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    setPalette(palette);
}

void TKvLabel::setTransparent(bool on) {
    m_transparent = on;
    update();
}

void TKvLabel::setShowAccelChar(bool on) {
    m_showAccelChar = on;
    update();
}

void TKvLabel::setDrawType(TDrawType drawType) {
    m_drawType = drawType;
    update();
}

void TKvLabel::setVCenter(bool on) {
    m_vCenter = on;
    setWordWrap(!on);
    update();
}

void TKvLabel::setLinkType(bool on) {
    if (!on)
        leaveLink();
    m_linkType = on;
}

void TKvLabel::setAboveColor(TColor color) {
    m_aboveColor = color;
    if (m_linkHovered)
        update();
}

void TKvLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), palette().color(QPalette::Window));

    int flags = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::TextExpandTabs;
    flags |= m_vCenter ? (Qt::TextSingleLine | Qt::AlignVCenter) : (Qt::TextWordWrap | Qt::AlignTop);
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;

    const QRect area = rect();
    const QString caption = text();
    const QColor white = toQColor(Colors::clWhite);
    const QColor ink = toQColor(m_linkHovered ? m_aboveColor : m_fontColor);
    QFont font = this->font();
    font.setUnderline(font.underline() || m_linkHovered);
    painter.setFont(font);

    if (!isEnabled()) {
        painter.setPen(toQColor(Colors::clGrayText));
        painter.drawText(area, flags, caption);
        return;
    }
    switch (m_drawType) {
    case TDrawType::dtLowered:
        painter.setPen(white);
        painter.drawText(area.translated(1, 1), flags, caption);
        painter.setPen(ink);
        painter.drawText(area, flags, caption);
        break;
    case TDrawType::dtRaised:
        painter.setPen(white);
        painter.drawText(area.translated(-1, -1), flags, caption);
        painter.setPen(ink);
        painter.drawText(area.translated(1, 1), flags, caption);
        break;
    case TDrawType::dtNone:
        painter.setPen(ink);
        painter.drawText(area, flags, caption);
        break;
    }
}

void TKvLabel::enterEvent(QEnterEvent *event) {
    if (m_linkType && !m_linkHovered) {
        m_linkHovered = true;
        setCursor(Qt::PointingHandCursor);
        update();
    }
    QLabel::enterEvent(event);
}

void TKvLabel::leaveEvent(QEvent *event) {
    leaveLink();
    QLabel::leaveEvent(event);
}

void TKvLabel::leaveLink() {
    if (!m_linkHovered)
        return;
    m_linkHovered = false;
    unsetCursor();
    update();
}
