// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

#include "ui/TColor.h"

enum class TDrawType { dtNone, dtLowered, dtRaised };

// The effect label of the screen titles: its caption drawn with a white copy beside it, so that it looks pressed
// into the window (lowered, the default) or standing out of it (raised). It keeps the bounds its window gives it,
// whatever the text. With LinkType the caption turns into a hover link: hand cursor, AboveColor and underline while
// the pointer is over it.
class TKvLabel : public QLabel {
    Q_OBJECT
public:
    explicit TKvLabel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);

    // Caption colour (the font's colour); clWindowText unless set.
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor color);
    // Background colour; unless set, it follows the parent.
    TColor Color() const;
    void setColor(TColor color);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);

    TDrawType DrawType() const { return m_drawType; }
    void setDrawType(TDrawType drawType);
    // Single centred line instead of word-wrapped text from the top; also sets WordWrap to the opposite.
    bool VCenter() const { return m_vCenter; }
    void setVCenter(bool on);
    bool LinkType() const { return m_linkType; }
    void setLinkType(bool on);
    TColor AboveColor() const { return m_aboveColor; }
    void setAboveColor(TColor color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void leaveLink();

    TColor m_fontColor = Colors::clWindowText;
    bool m_transparent = false;
    bool m_showAccelChar = true;
    TDrawType m_drawType = TDrawType::dtLowered;
    bool m_vCenter = false;
    bool m_linkType = false;
    TColor m_aboveColor = Colors::clBlue;
    // Set while the pointer is over a link label. The link look is drawn from it rather than written into the
    // font colour, so a colour set meanwhile is not lost when the pointer leaves.
    bool m_linkHovered = false;
};
