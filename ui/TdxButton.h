#pragma once

#include <QPushButton>

#include "TColor.h"

// The colour set of a gradient button.
struct TdxColors {
    TColor BackgroundFrom = 16777215;
    TColor BackgroundTo = 15199215;
    TColor BorderLine = 7552000;
    TColor ClickedFrom = 13029334;
    TColor ClickedTo = 15463415;
    TColor FocusedFrom = 16771022;
    TColor FocusedTo = 15697005;
    TColor HighlightFrom = 13562879;
    TColor HighlightTo = 38631;
    TColor HotTrack = 255;
};

enum class TdxLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TdxQuality { bqLow, bqMiddle, bqHigh };

// Gradient push button of the start and grading screens (stand-in: plainly painted until the widget set lands).
class TdxButton : public QPushButton {
    Q_OBJECT
public:
    explicit TdxButton(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    const TdxColors &Colors() const { return m_colors; }
    void setColors(const TdxColors &colors) { m_colors = colors; }
    void setHotTrack(bool on) { m_hotTrack = on; }
    void setLayout(TdxLayout layout) { m_layout = layout; }
    void setQuality(TdxQuality quality) { m_quality = quality; }
    void setShowFocusRect(bool on) { m_showFocusRect = on; }
    void setFontColor(TColor color);

private:
    TdxColors m_colors;
    bool m_hotTrack = false;
    TdxLayout m_layout = TdxLayout::blGlyphLeft;
    TdxQuality m_quality = TdxQuality::bqMiddle;
    bool m_showFocusRect = true;
};
