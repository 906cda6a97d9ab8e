// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TdxButton.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

#include <cmath>

#include "ui/AccessibleControls.h"
#include "ui/Gradient.h"

namespace {

// Pixel of the corner marks that soften the rounded outline.
constexpr TColor kCornerMark = 11376251;

void setPixelClipped(QImage &image, int x, int y, QRgb color) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = color;
}

// A one-pixel line from (x0, y0) towards (x1, y1) without its end point, as a pen draws it.
void drawLineOpenEnd(QImage &image, int x0, int y0, int x1, int y1, QRgb color) {
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int t = 0; t < steps; ++t)
        setPixelClipped(image, x0 + qRound(double(t * dx) / steps), y0 + qRound(double(t * dy) / steps), color);
}

// The glyph as it is drawn: transparent where it has the colour of its bottom-left pixel (unless it carries its own
// alpha), and grey when the button is disabled and AutoGray is on.
QImage prepareGlyph(const QImage &glyph, bool grey) {
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const bool keyed = !glyph.hasAlphaChannel();
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (keyed && row[x] == key) {
                row[x] = 0;
            } else if (grey) {
                const int v = ((qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3) / 2 + 96;
                row[x] = qRgba(v, v, v, qAlpha(row[x]));
            }
        }
    }
    return image;
}

int bandCount(TdxQuality quality) {
    switch (quality) {
    case TdxQuality::bqLow:
        return 8;
    case TdxQuality::bqMiddle:
        return 16;
    case TdxQuality::bqHigh:
        return 64;
    }
    return 16;
}

} // namespace

TdxButton::TdxButton(QWidget *parent) : TdxCustomControl(parent) {
    registerAccessibleControls();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(73, 25);
    RebuildGradients();
}

void TdxButton::setCaption(const QString &caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    updateShortcut();
    update();
}

void TdxButton::setAction(QAction *action) {
    if (action == m_action)
        return;
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action) {
        connect(action, &QAction::changed, this, &TdxButton::syncFromAction);
        syncFromAction();
    }
    update();
}

void TdxButton::setAutoGray(bool on) {
    if (on == m_autoGray)
        return;
    m_autoGray = on;
    update();
}

void TdxButton::setColors(const TdxColors &colors) {
    if (colors == m_colors)
        return;
    m_colors = colors;
    RebuildGradients();
}

void TdxButton::setDefault(bool on) {
    if (on == m_default)
        return;
    m_default = on;
    // Every gradient button of the window takes a fresh look at the active control, as the Default rule needs it.
    QWidget *form = window();
    if (auto *control = qobject_cast<TdxCustomControl *>(form))
        control->refreshActiveIsGradientControl();
    for (TdxCustomControl *control : form->findChildren<TdxCustomControl *>())
        control->refreshActiveIsGradientControl();
    update();
}

void TdxButton::setGlyph(const QImage &glyph) {
    m_glyph = glyph.copy();
    update();
}

void TdxButton::setHotTrack(bool on) {
    if (on == m_hotTrack)
        return;
    m_hotTrack = on;
    update();
}

void TdxButton::setLayout(TdxLayout layout) {
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TdxButton::setQuality(TdxQuality quality) {
    if (quality == m_quality)
        return;
    m_quality = quality;
    RebuildGradients();
}

void TdxButton::setShowAccelChar(bool on) {
    if (on == m_showAccelChar)
        return;
    m_showAccelChar = on;
    updateShortcut();
    update();
}

void TdxButton::setShowFocusRect(bool on) {
    if (on == m_showFocusRect)
        return;
    m_showFocusRect = on;
    update();
}

void TdxButton::setSpacing(int spacing) {
    spacing = std::clamp(spacing, 0, 255);
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    update();
}

void TdxButton::setTabStop(bool on) {
    // Without a tab stop the button is skipped by Tab but still takes the focus when clicked.
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void TdxButton::setWordWrap(bool on) {
    if (on == m_wordWrap)
        return;
    m_wordWrap = on;
    update();
}

void TdxButton::setFontColor(TColor color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

bool TdxButton::RingLit(bool ignoreDefault) const {
    return ringLitFor(Pressed(), Hot(), HasFocus(), m_default, ActiveIsGradientControl(), ignoreDefault);
}

bool TdxButton::ringLitFor(bool pressed, bool hot, bool hasFocus, bool isDefault, bool activeIsGradientControl,
                           bool ignoreDefault) {
    // A press dragged off the button lights the ring; while the press is over it the pressed face shows instead.
    bool lit = pressed ? !hot : (hot || hasFocus);
    if (!ignoreDefault)
        lit = lit || (isDefault && !activeIsGradientControl);
    return lit;
}

void TdxButton::click() {
    TdxCustomControl::click();
    if (m_action)
        m_action->trigger();
}

void TdxButton::RebuildGradients() {
    buildGradients();
    update();
}

void TdxButton::buildGradients() {
    const int n = bandCount(m_quality);
    const bool dithered = m_quality == TdxQuality::bqHigh;
    // The face is built smaller when the ring is lit at this moment; states alone never rebuild it.
    const int ring = RingLit(true) ? 1 : 0;
    const int w = width();
    const int h = height();
    BuildGradient(m_face, w - 2 - 4 * ring, h - 2 - 4 * ring, m_colors.BackgroundFrom, m_colors.BackgroundTo, n,
                  GradientStyle::Vertical, dithered);
    BuildGradient(m_clicked, w - 2, h - 2, m_colors.ClickedFrom, m_colors.ClickedTo, n, GradientStyle::Vertical,
                  dithered);
    BuildGradient(m_focused, w - 2, h - 2, m_colors.FocusedFrom, m_colors.FocusedTo, n, GradientStyle::Vertical,
                  dithered);
    BuildGradient(m_highlight, w - 2, h - 2, m_colors.HighlightFrom, m_colors.HighlightTo, n, GradientStyle::Vertical,
                  dithered);
    m_builtSize = size();
    ++m_gradientBuildCount;
}

void TdxButton::paintEvent(QPaintEvent *) {
    // A size set while hidden may not have been announced yet when the button is first drawn or grabbed.
    if (m_builtSize != size())
        buildGradients();
    QImage buffer(size(), QImage::Format_RGB32);
    paintButton(buffer);
    QPainter(this).drawImage(0, 0, buffer);
}

void TdxButton::resizeEvent(QResizeEvent *event) {
    if (m_builtSize != size())
        RebuildGradients();
    TdxCustomControl::resizeEvent(event);
}

void TdxButton::paintButton(QImage &buffer) const {
    const int w = buffer.width();
    const int h = buffer.height();
    buffer.fill(palette().color(QPalette::Window));
    const bool lit = RingLit();
    {
        QPainter painter(&buffer);
        if (lit)
            painter.drawImage(1, 1, Hot() ? m_highlight : m_focused);
        if (Hot() && Pressed())
            painter.drawImage(1, 1, m_clicked);
        else if (lit)
            painter.drawImage(QPoint(3, 3), m_face, QRect(0, 0, w - 6, h - 6));
        else
            painter.drawImage(1, 1, m_face);
    }
    drawFrame(buffer);
    {
        QPainter painter(&buffer);
        drawContent(painter);
    }
    if (HasFocus() && m_showFocusRect) {
        // A dotted rectangle that inverts every other pixel of its edge.
        const QRect focus(3, 3, w - 6, h - 6);
        for (int y = focus.top(); y <= focus.bottom(); ++y) {
            for (int x = focus.left(); x <= focus.right(); ++x) {
                const bool edge = x == focus.left() || x == focus.right() || y == focus.top() || y == focus.bottom();
                if (edge && (x + y) % 2 == 0)
                    setPixelClipped(buffer, x, y, buffer.pixel(x, y) ^ 0x00FFFFFFu);
            }
        }
    }
}

void TdxButton::drawFrame(QImage &buffer) const {
    const int w = buffer.width();
    const int h = buffer.height();
    // Outline with 5 × 5 rounded corners: straight edges two pixels in from each corner, one pixel on the diagonal.
    const QRgb line = toQColor(m_colors.BorderLine).rgb();
    for (int x = 2; x <= w - 3; ++x) {
        setPixelClipped(buffer, x, 0, line);
        setPixelClipped(buffer, x, h - 1, line);
    }
    for (int y = 2; y <= h - 3; ++y) {
        setPixelClipped(buffer, 0, y, line);
        setPixelClipped(buffer, w - 1, y, line);
    }
    setPixelClipped(buffer, 1, 1, line);
    setPixelClipped(buffer, w - 2, 1, line);
    setPixelClipped(buffer, 1, h - 2, line);
    setPixelClipped(buffer, w - 2, h - 2, line);

    const QRgb mark = toQColor(kCornerMark).rgb();
    drawLineOpenEnd(buffer, 0, 1, 2, 0, mark);
    drawLineOpenEnd(buffer, w - 2, 0, w, 2, mark);
    drawLineOpenEnd(buffer, 0, h - 2, 2, h, mark);
    drawLineOpenEnd(buffer, w - 3, h, w, h - 3, mark);
}

void TdxButton::drawContent(QPainter &painter) const {
    const int w = width();
    const int h = height();
    const int flags = textFlags();
    const QFontMetrics metrics(font());
    const QImage glyph = currentGlyph();
    const bool horizontal = m_layout == TdxLayout::blGlyphLeft || m_layout == TdxLayout::blGlyphRight;

    QRect area(0, 0, w, h);
    if (!glyph.isNull()) {
        if (horizontal)
            area.setWidth(std::max(0, w - glyph.width() - m_spacing));
        else
            area.setHeight(std::max(0, h - glyph.height() - m_spacing));
    }
    QString text = m_caption;
    if (!m_wordWrap)
        text = metrics.elidedText(text, Qt::ElideRight, area.width(), flags);
    // An empty caption still takes one line, so a glyph beside it stays centred.
    const bool blank = m_caption.isEmpty() || (m_showAccelChar && m_caption == QLatin1String("&"));
    QRect box = metrics.boundingRect(area, flags, blank ? QStringLiteral(" ") : text);
    box.moveTopLeft(area.topLeft());

    QPoint glyphAt;
    if (glyph.isNull()) {
        box.translate((w - (box.x() + box.width())) / 2, (h - (box.y() + box.height())) / 2);
    } else if (horizontal) {
        const int groupLeft = (w - (glyph.width() + m_spacing + box.width())) / 2;
        const bool glyphFirst = m_layout == TdxLayout::blGlyphLeft;
        box.moveTo(glyphFirst ? groupLeft + glyph.width() + m_spacing : groupLeft, (h - box.height()) / 2);
        glyphAt = QPoint(glyphFirst ? groupLeft : box.x() + box.width() + m_spacing, (h - glyph.height()) / 2);
    } else {
        const int groupTop = (h - (glyph.height() + m_spacing + box.height())) / 2;
        const bool glyphFirst = m_layout == TdxLayout::blGlyphTop;
        box.moveTo((w - box.width()) / 2, glyphFirst ? groupTop + glyph.height() + m_spacing : groupTop);
        glyphAt = QPoint((w - glyph.width()) / 2, glyphFirst ? groupTop : box.y() + box.height() + m_spacing);
    }
    if (Hot() && Pressed()) {
        box.translate(1, 1);
        glyphAt += QPoint(1, 1);
    }

    if (!glyph.isNull())
        painter.drawImage(glyphAt, prepareGlyph(glyph, m_autoGray && !isEnabled()));

    painter.setFont(font());
    if (isEnabled()) {
        const TColor color = (m_hotTrack && Hot()) ? m_colors.HotTrack : m_fontColor;
        painter.setPen(toQColor(color));
        painter.drawText(box, flags, text);
    } else {
        painter.setPen(toQColor(Colors::clBtnHighlight));
        painter.drawText(box.translated(1, 1), flags, text);
        painter.setPen(toQColor(Colors::clBtnShadow));
        painter.drawText(box, flags, text);
    }
}

QImage TdxButton::currentGlyph() const {
    if (m_action && !m_action->icon().isNull()) {
        const QIcon icon = m_action->icon();
        const QList<QSize> sizes = icon.availableSizes();
        return icon.pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.first()).toImage();
    }
    return m_glyph;
}

int TdxButton::textFlags() const {
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QChar TdxButton::accelChar() const {
    if (!m_showAccelChar)
        return {};
    for (int i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption.at(i) != QLatin1Char('&'))
            continue;
        if (m_caption.at(i + 1) != QLatin1Char('&'))
            return m_caption.at(i + 1).toUpper();
        ++i; // "&&" is a literal ampersand
    }
    return {};
}

void TdxButton::updateShortcut() {
    const QChar accel = accelChar();
    if (accel.isNull()) {
        if (m_shortcut)
            m_shortcut->setKey(QKeySequence());
        return;
    }
    if (!m_shortcut) {
        m_shortcut = new QShortcut(this);
        m_shortcut->setContext(Qt::WindowShortcut);
        m_shortcut->setAutoRepeat(false);
        connect(m_shortcut, &QShortcut::activated, this, [this] {
            if (CanFocus())
                click();
        });
    }
    m_shortcut->setKey(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(accel.unicode()))));
}

void TdxButton::syncFromAction() {
    if (!m_action)
        return;
    setCaption(m_action->text());
    setEnabled(m_action->isEnabled());
    update();
}

void TdxButton::pressDown() {
    setFocus(Qt::MouseFocusReason);
    setPressed(true);
}

void TdxButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        TdxCustomControl::mousePressEvent(event);
        return;
    }
    pressDown();
    event->accept();
}

void TdxButton::mouseMoveEvent(QMouseEvent *event) {
    // The pointer keeps reporting to the button while a press holds it, so hover follows the pointer here too.
    if (Pressed() && (event->buttons() & Qt::LeftButton))
        setHot(rect().contains(event->position().toPoint()));
    TdxCustomControl::mouseMoveEvent(event);
}

void TdxButton::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = Pressed();
    setPressed(false);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
    event->accept();
}

void TdxButton::keyPressEvent(QKeyEvent *event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Space:
        if (modifiers == Qt::NoModifier) {
            setHot(true);
            pressDown();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Dialog keys: left to travel up to the window, where every gradient button gets to answer them.
        event->ignore();
        return;
    default:
        break;
    }
    const QChar accel = accelChar();
    const QString text = event->text();
    if (!accel.isNull() && text.size() == 1 && text.at(0).toUpper() == accel &&
        !(modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) && CanFocus()) {
        click();
        event->accept();
        return;
    }
    TdxCustomControl::keyPressEvent(event);
}

void TdxButton::keyReleaseEvent(QKeyEvent *event) {
    if (event->isAutoRepeat() || !Pressed()) {
        TdxCustomControl::keyReleaseEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        setHot(false);
    setPressed(false);
    click();
    event->accept();
}

bool TdxButton::windowKeyPress(QKeyEvent *event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (CanFocus() && (HasFocus() || (m_default && !ActiveIsGradientControl()))) {
            click();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (CanFocus() && m_cancel && modifiers == Qt::NoModifier) {
            click();
            return true;
        }
        return false;
    default:
        return false;
    }
}
