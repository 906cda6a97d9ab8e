// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPointer>

#include "ui/TdxColors.h"
#include "ui/TdxCustomControl.h"

class QAction;
class QPainter;
class QShortcut;

// The gradient push button of the start and grading screens. Its face, pressed look and the two rings (hover and
// focus) are gradient bitmaps built only when the size, a colour or the quality changes; painting copies them, so
// hover and press feedback cost no gradient work. The caption's "&" marks the accelerator: Alt with that letter
// clicks the button from anywhere in its window, the bare letter only while the button has the focus. Enter
// clicks a focused button, or a Default one while no gradient control is active; Escape clicks a Cancel button.
//
// An assigned QAction supplies the caption, the enabled state and (through its icon) the glyph, and is triggered
// by the click.
class TdxButton : public TdxCustomControl {
    Q_OBJECT
public:
    explicit TdxButton(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

    QAction *Action() const { return m_action; }
    void setAction(QAction *action);

    bool AutoGray() const { return m_autoGray; }
    void setAutoGray(bool on);
    bool Cancel() const { return m_cancel; }
    void setCancel(bool on) { m_cancel = on; }
    const TdxColors &Colors() const { return m_colors; }
    void setColors(const TdxColors &colors);
    bool Default() const { return m_default; }
    void setDefault(bool on);
    const QImage &Glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    bool HotTrack() const { return m_hotTrack; }
    void setHotTrack(bool on);
    TdxLayout Layout() const { return m_layout; }
    using QWidget::setLayout;
    void setLayout(TdxLayout layout);
    TdxQuality Quality() const { return m_quality; }
    void setQuality(TdxQuality quality);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);

    // Caption colour (the font's colour); clWindowText unless set.
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

    // Whether the ring around the face is lit: a press dragged outside, or hover or focus; unless ignoreDefault, a
    // Default button also lights it while no gradient control is active.
    bool RingLit(bool ignoreDefault = false) const;
    static bool ringLitFor(bool pressed, bool hot, bool hasFocus, bool isDefault, bool activeIsGradientControl,
                           bool ignoreDefault);

    const QImage &FaceBitmap() const { return m_face; }
    const QImage &ClickedBitmap() const { return m_clicked; }
    const QImage &FocusedBitmap() const { return m_focused; }
    const QImage &HighlightBitmap() const { return m_highlight; }
    // How many times the gradients have been built; hover and press never add to it.
    int gradientBuildCount() const { return m_gradientBuildCount; }

    void click() override;

protected:
    void RebuildGradients();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool windowKeyPress(QKeyEvent *event) override;

private:
    void buildGradients();
    void paintButton(QImage &buffer) const;
    void drawFrame(QImage &buffer) const;
    void drawContent(QPainter &painter) const;
    QImage currentGlyph() const;
    int textFlags() const;
    QChar accelChar() const;
    void updateShortcut();
    void syncFromAction();
    void pressDown();

    QString m_caption;
    QPointer<QAction> m_action;
    bool m_autoGray = true;
    bool m_cancel = false;
    TdxColors m_colors;
    bool m_default = false;
    QImage m_glyph;
    bool m_hotTrack = false;
    TdxLayout m_layout = TdxLayout::blGlyphLeft;
    TdxQuality m_quality = TdxQuality::bqMiddle;
    bool m_showAccelChar = true;
    bool m_showFocusRect = true;
    int m_spacing = 3;
    bool m_wordWrap = true;
    TColor m_fontColor = Colors::clWindowText;

    QImage m_face;
    QImage m_clicked;
    QImage m_focused;
    QImage m_highlight;
    QSize m_builtSize;
    int m_gradientBuildCount = 0;
    QShortcut *m_shortcut = nullptr;
};
