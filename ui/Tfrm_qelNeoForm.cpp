// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Tfrm_qelNeoForm.h"

#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QWindow>

#include "ui/AppIcon.h"
#include "ui/CutTextToolTip.h"
#include "ui/Fonts.h"
#include "ui/FrameArtwork.h"
#include "ui/FrameCoolBar.h"
#include "ui/FrameEdgeZone.h"
#include "ui/FrameImage.h"
#include "ui/FrameWindowSystem.h"
#include "ui/ModalLayer.h"
#include "ui/TColor.h"
#include "ui/TMenuBar.h"

namespace {

constexpr int kCaptionHeight = 50;
constexpr int kSideBorder = 10;
constexpr int kBottomBorder = 12;
// The bottom band starts under the bottom-left corner, overlapping it by two columns.
constexpr int kBottomLeftCornerWidth = 10;
// The right end of the caption band: its picture stands this far from the window's right edge.
constexpr int kRightCornerInset = 97;
constexpr int kMenuBarLeft = 9;
constexpr int kCaptionTextTop = 8;
constexpr int kButtonTop = 6;
constexpr int kButtonRowRightMargin = 5;
constexpr QSize kButtonSize(17, 19);
constexpr QSize kMinimumSize(300, 200);
// The border pictures are 800 wide and 600 high: below that they show at their own size, from there on they are
// stretched over the whole part.
constexpr int kBorderPictureWidth = 800;
constexpr int kBorderPictureHeight = 600;

// How one coordinate or extent of a frame part follows the window's size.
struct Rule {
    enum Kind {
        Kept,    // left as it is
        Near,    // AMOUNT from the window's left or top edge; as an extent, AMOUNT itself
        Far,     // the window's width or height less AMOUNT: a place from the right or bottom edge, or an extent
        Picture, // an extent: the part's picture's, or its own while it has no picture yet
    } kind;
    int amount;
};
constexpr Rule asIs{Rule::Kept, 0};
constexpr Rule ofPicture{Rule::Picture, 0};
constexpr Rule nearBy(int amount) {
    return {Rule::Near, amount};
}
constexpr Rule farBy(int amount) {
    return {Rule::Far, amount};
}

// The frame: every part with the place the window design gives it (for the design's window of 536 × 332) and the
// rules by which it follows the window's size. Stretch: the part's picture is stretched over it once the window is
// at least as wide (Qt::Horizontal) or as high (Qt::Vertical) as the border pictures.
struct FramePart {
    const char *name;
    QRect design;
    Rule x, y, width, height;
    Qt::Orientations stretch = {};
};
const FramePart kFrame[] = {
    {"ImageTop", QRect(1, 0, 536, 50), nearBy(0), nearBy(0), farBy(0), asIs, Qt::Horizontal},
    {"ImageLeft", QRect(0, 40, 12, 297), asIs, asIs, asIs, farBy(0), Qt::Vertical},
    {"ImageLeftTop", QRect(0, 0, 85, 50), nearBy(0), nearBy(0), ofPicture, ofPicture},
    {"ImageRightTop", QRect(436, 0, 100, 50), farBy(kRightCornerInset), nearBy(0), ofPicture, ofPicture},
    {"ImageRight", QRect(523, 48, 13, 281), farBy(kSideBorder), asIs, asIs, farBy(0), Qt::Vertical},
    {"ImageBottom", QRect(0, 320, 529, 12), nearBy(kBottomLeftCornerWidth - 2), farBy(kBottomBorder), farBy(0), asIs,
     Qt::Horizontal},
    {"LabelCaption", QRect(0, 0, 72, 12), nearBy(0), nearBy(kCaptionTextTop), farBy(0), asIs},
    {"ImageIcon", QRect(8, 4, 18, 20), asIs, asIs, asIs, asIs},
    // The caption buttons: their row from the right edge is placed apart, by which of them are offered.
    {"ImageMax", QRect(424, 6, 17, 19), asIs, nearBy(kButtonTop), nearBy(kButtonSize.width()),
     nearBy(kButtonSize.height())},
    {"ImageMin", QRect(404, 5, 17, 19), asIs, nearBy(kButtonTop), nearBy(kButtonSize.width()),
     nearBy(kButtonSize.height())},
    {"ImageNormal", QRect(448, 5, 17, 19), asIs, nearBy(kButtonTop), nearBy(kButtonSize.width()),
     nearBy(kButtonSize.height())},
    {"ImageClose", QRect(475, 5, 17, 19), asIs, nearBy(kButtonTop), nearBy(kButtonSize.width()),
     nearBy(kButtonSize.height())},
    {"ImageLeftBottom", QRect(0, 320, kBottomLeftCornerWidth, 12), nearBy(0), farBy(kBottomBorder), asIs, asIs},
    {"ImageRightBottom", QRect(523, 320, 13, 12), farBy(kSideBorder), farBy(kBottomBorder), ofPicture, ofPicture},
    {"CoolBar", QRect(80, 25, 345, 17), asIs, asIs, asIs, asIs},
    // Inside the cool bar, but as wide as to reach the caption band's right end in the window.
    {"MenuBar", QRect(kMenuBarLeft, 0, 332, 17), asIs, asIs, farBy(kRightCornerInset + kMenuBarLeft), asIs},
    // Designed by the screen: the window is sized around it.
    {"PanelBkGnd", QRect(), nearBy(kSideBorder), nearBy(kCaptionHeight), farBy(2 * kSideBorder),
     farBy(kCaptionHeight + kBottomBorder - 2)},
};

QRect designOf(const char *name) {
    for (const FramePart &part : kFrame)
        if (qstrcmp(part.name, name) == 0)
            return part.design;
    return QRect();
}
constexpr TColor kPanelColor = 13619151;
// Captions of disabled controls (answer buttons out of use, "交卷" in review): a dark grey that still reads at better
// than 4.5 : 1 on every face the screens use, as the classic desktop's grey text did, and still looks out of use. The
// style's own disabled grey is all but invisible there.
constexpr TColor kDisabledCaption = 0x505050;
// Text in disabled boxes (the answer sheet overview, the answers and the key in review) is what the candidate reads
// there, and the box's grey face already shows it cannot be changed; a letter such as C, which has no upright stroke
// to fill a whole column of pixels in the 12-pixel Song face, draws only about two thirds as dark as its colour, so
// the colour is close to black.
constexpr TColor kDisabledBoxText = 0x202020;

QPointer<QWidget> s_mainWindow;

QPixmap pixmapOf(const QImage &image) {
    return QPixmap::fromImage(image);
}

// The size a picture-sized part takes: its picture's, or the one it has while it has no picture yet.
QSize pictureSizeOr(const QWidget *part) {
    const auto *image = qobject_cast<const FrameImage *>(part);
    const QPixmap picture = image ? image->picture() : QPixmap();
    return picture.isNull() ? part->size() : picture.deviceIndependentSize().toSize();
}

int apply(const Rule &rule, int current, int windowExtent, int pictureExtent) {
    switch (rule.kind) {
    case Rule::Kept:
        break;
    case Rule::Near:
        return rule.amount;
    case Rule::Far:
        return windowExtent - rule.amount;
    case Rule::Picture:
        return pictureExtent;
    }
    return current;
}

} // namespace

Tfrm_qelNeoForm::Tfrm_qelNeoForm(const QSize &panelSize, TFormBorderStyle borderStyle, TBorderIcons borderIcons,
                                 QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_borderStyle(borderStyle), m_borderIcons(borderIcons) {
    setObjectName(QStringLiteral("frm_qelNeoForm"));
    setFont(songFont(12));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(Colors::clWindow));
    palette.setColor(QPalette::WindowText, toQColor(Colors::clWindowText));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(kDisabledCaption));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, toQColor(kDisabledCaption));
    palette.setColor(QPalette::Disabled, QPalette::Text, toQColor(kDisabledBoxText));
    setPalette(palette);
    setAutoFillBackground(true);
    createComponents(panelSize);
    FormCreate(this);
}

void Tfrm_qelNeoForm::setMainWindow(QWidget *window) {
    s_mainWindow = window;
}

QWidget *Tfrm_qelNeoForm::mainWindow() {
    return s_mainWindow;
}

FrameImage *Tfrm_qelNeoForm::addImage(const char *name) {
    auto *image = new FrameImage(this);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(designOf(name));
    return image;
}

void Tfrm_qelNeoForm::createComponents(const QSize &panelSize) {
    using namespace FrameArtwork;

    ImageTop = addImage("ImageTop");
    // The caption band moves the window and double-clicked maximises it; it has no hint to be named after.
    ImageTop->setAccessibleName(QStringLiteral("标题栏"));
    ImageLeft = addImage("ImageLeft");
    ImageLeft->setPicture(pixmapOf(leftBorder()));
    ImageLeftTop = addImage("ImageLeftTop");
    ImageLeftTop->setAutoSize(true);
    ImageRightTop = addImage("ImageRightTop");
    ImageRightTop->setAutoSize(true);
    ImageRight = addImage("ImageRight");
    ImageRight->setPicture(pixmapOf(rightBorder()));
    ImageBottom = addImage("ImageBottom");
    ImageBottom->setPicture(pixmapOf(bottomBorder()));

    LabelCaption = new QLabel(this);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    LabelCaption->setGeometry(designOf("LabelCaption"));
    LabelCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelCaption->setFont(songFont(12));
    QPalette captionPalette = LabelCaption->palette();
    captionPalette.setColor(QPalette::WindowText, toQColor(Colors::clWhite));
    LabelCaption->setPalette(captionPalette);
    LabelCaption->installEventFilter(this);

    ImageIcon = addImage("ImageIcon");
    ImageIcon->setCenter(true);
    ImageIcon->setStretch(true);
    ImageIcon->setTransparent(true);
    ImageIcon->setToolTip(QStringLiteral("双击关闭"));

    const struct {
        FrameImage *&image;
        const char *name;
        Button picture;
        const char *hint;
    } buttons[] = {
        {ImageMax, "ImageMax", Button::Maximize, "最大化"},
        {ImageMin, "ImageMin", Button::Minimize, "最小化"},
        {ImageNormal, "ImageNormal", Button::Restore, "还原"},
        {ImageClose, "ImageClose", Button::Close, "关闭"},
    };
    for (const auto &button : buttons) {
        button.image = addImage(button.name);
        button.image->setAutoSize(true);
        button.image->setPicture(pixmapOf(windowButton(button.picture)));
        button.image->setToolTip(QString::fromUtf8(button.hint));
    }
    ImageNormal->hide();

    // Picture holders: the activation look copies its pictures from these.
    const struct {
        FrameImage *&image;
        const char *name;
        QImage picture;
    } holders[] = {
        {ImageDeactiveLeftTop, "ImageDeactiveLeftTop", captionLeftCorner(false)},
        {ImageDeactiveTop, "ImageDeactiveTop", captionBand(false)},
        {ImageDeactiveRightTop, "ImageDeactiveRightTop", captionRightCorner(false)},
        {ImageActiveTop, "ImageActiveTop", captionBand(true)},
        {ImageActiveLeftTop, "ImageActiveLeftTop", captionLeftCorner(true)},
        {ImageActiveRightTop, "ImageActiveRightTop", captionRightCorner(true)},
        {ImageActiveMenubar, "ImageActiveMenubar", menuBand(true)},
        {ImageDeactiveMenubar, "ImageDeactiveMenubar", menuBand(false)},
    };
    for (const auto &holder : holders) {
        holder.image = addImage(holder.name);
        holder.image->setPicture(pixmapOf(holder.picture));
        holder.image->hide();
    }

    ImageLeftBottom = addImage("ImageLeftBottom");
    ImageLeftBottom->setPicture(pixmapOf(bottomLeftCorner()));
    ImageRightBottom = addImage("ImageRightBottom");
    ImageRightBottom->setAutoSize(true);
    ImageRightBottom->setPicture(pixmapOf(bottomRightCorner()));

    CoolBar = new FrameCoolBar(this);
    CoolBar->setObjectName(QStringLiteral("CoolBar"));
    CoolBar->setGeometry(designOf("CoolBar"));
    MenuBar = new TMenuBar(CoolBar);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    MenuBar->setGeometry(designOf("MenuBar"));

    PanelBkGnd = new QWidget(this);
    PanelBkGnd->setObjectName(QStringLiteral("PanelBkGnd"));
    PanelBkGnd->setAutoFillBackground(true);
    PanelBkGnd->setGeometry(QRect(QPoint(0, 0), panelSize));

    connect(ImageTop, &FrameImage::mousePressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos) {
                ImageTopMouseDown(ImageTop, button, modifiers, pos.x(), pos.y());
            });
    connect(ImageTop, &FrameImage::mouseMoved, this, [this](Qt::KeyboardModifiers modifiers, const QPoint &pos) {
        ImageTopMouseMove(ImageTop, modifiers, pos.x(), pos.y());
    });
    connect(ImageTop, &FrameImage::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos) {
                ImageTopMouseUp(ImageTop, button, modifiers, pos.x(), pos.y());
            });
    connect(ImageTop, &FrameImage::doubleClicked, this, [this] { ImageTopDblClick(ImageTop); });
    connect(ImageIcon, &FrameImage::doubleClicked, this, [this] { ImageIconDblClick(ImageIcon); });
    connect(ImageMax, &FrameImage::clicked, this, [this] { ImageMaxClick(ImageMax); });
    connect(ImageMin, &FrameImage::clicked, this, [this] { ImageMinClick(ImageMin); });
    connect(ImageNormal, &FrameImage::clicked, this, [this] { ImageNormalClick(ImageNormal); });
    connect(ImageClose, &FrameImage::clicked, this, [this] { ImageCloseClick(ImageClose); });

    // The resize zones lie above everything, the content panel included, as the system's hit test would.
    const struct {
        Qt::Edge edge;
        const char *name;
    } zones[] = {{Qt::LeftEdge, "ResizeZoneLeft"},
                 {Qt::TopEdge, "ResizeZoneTop"},
                 {Qt::RightEdge, "ResizeZoneRight"},
                 {Qt::BottomEdge, "ResizeZoneBottom"}};
    for (int i = 0; i < 4; ++i) {
        m_zones[i] = new FrameEdgeZone(zones[i].edge, this);
        m_zones[i]->setObjectName(QLatin1String(zones[i].name));
        m_zones[i]->hide();
    }

    for (const FramePart &part : kFrame)
        m_framed.append(findChild<QWidget *>(QLatin1String(part.name)));
}

void Tfrm_qelNeoForm::FormCreate(QObject *Sender) {
    Q_UNUSED(Sender);
    // The icon gets two spare columns and rows of background, which the transparent image leaves out.
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = appIcon();
    const QSize iconSize(32, 32);
    QImage canvas(iconSize + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRect(QPoint(0, 0), iconSize), icon.pixmap(iconSize));
    }
    ImageIcon->setPicture(QPixmap::fromImage(canvas));

    m_layoutReady = false;
    // Below 300 × 200 the frame's parts would overlap; the window system keeps every resize above it.
    setMinimumSize(kMinimumSize);
    resize(PanelBkGnd->width() + 2 * kSideBorder, PanelBkGnd->height() + kCaptionHeight + kBottomBorder - 2);
    m_layoutReady = true;

    QPalette panelPalette = PanelBkGnd->palette();
    panelPalette.setColor(QPalette::Window, toQColor(kPanelColor));
    PanelBkGnd->setPalette(panelPalette);

    SetBorderIcons();
    SetCanResize(m_borderStyle == TFormBorderStyle::bsSizeable || m_borderStyle == TFormBorderStyle::bsSizeToolWin);
    m_borderStyle = TFormBorderStyle::bsNone;

    if (m_mainMenu) {
        CoolBar->show();
        MenuBar->setMenu(m_mainMenu);
    } else {
        CoolBar->hide();
    }
    // A hidden window gets its first size notification only when shown; lay out now so the parts stand in place
    // for a screen that measures them before that.
    FormResize(this);
}

void Tfrm_qelNeoForm::setMainMenu(QMenu *menu) {
    m_mainMenu = menu;
    CoolBar->setVisible(menu != nullptr);
    MenuBar->setMenu(menu);
}

void Tfrm_qelNeoForm::SetBorderIcons() {
    bool iconShown = false;
    switch (m_borderStyle) {
    case TFormBorderStyle::bsNone:
        m_showClose = m_showMax = m_showMin = false;
        break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsSizeable:
        m_showClose = m_showMax = m_showMin = true;
        iconShown = true;
        break;
    case TFormBorderStyle::bsDialog:
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
        m_showClose = true;
        m_showMax = m_showMin = false;
        break;
    }
    if (!(m_borderIcons & biSystemMenu)) {
        m_showClose = m_showMax = m_showMin = false;
        iconShown = false;
    }
    if (!(m_borderIcons & biMinimize))
        m_showMin = false;
    if (!(m_borderIcons & biMaximize))
        m_showMax = false;

    ImageIcon->setVisible(iconShown);
    ImageIcon->setEnabled(iconShown);
    ImageClose->setVisible(m_showClose);
    ImageClose->setEnabled(m_showClose);
    ImageMax->setVisible(m_showMax);
    ImageMax->setEnabled(m_showMax);
    ImageMin->setVisible(m_showMin);
    ImageMin->setEnabled(m_showMin);
}

void Tfrm_qelNeoForm::SetCanResize(bool value) {
    if (m_canResize == value)
        return;
    m_canResize = value;
    updateEdgeZones();
}

void Tfrm_qelNeoForm::FormResize(QObject *Sender) {
    Q_UNUSED(Sender);
    if (!m_layoutReady)
        return;
    layOutFrame();
    if (m_showMax) {
        const bool maximized = windowState() & Qt::WindowMaximized;
        ImageNormal->setEnabled(maximized);
        ImageNormal->setVisible(maximized);
        ImageMax->setEnabled(!maximized);
        ImageMax->setVisible(!maximized);
    }
    updateEdgeZones();
}

void Tfrm_qelNeoForm::layOutFrame() {
    // Frameless: the client area is the whole window.
    const QSize window = size();
    for (int i = 0; i < m_framed.size(); ++i) {
        QWidget *part = m_framed[i];
        const FramePart &rules = kFrame[i];
        const QSize pictured = pictureSizeOr(part);
        part->setGeometry(apply(rules.x, part->x(), window.width(), 0), apply(rules.y, part->y(), window.height(), 0),
                          apply(rules.width, part->width(), window.width(), pictured.width()),
                          apply(rules.height, part->height(), window.height(), pictured.height()));
    }
    // From the right edge: close, maximise / restore, minimise; a button not offered takes no place.
    int x = window.width() - kButtonRowRightMargin;
    const auto nextButton = [&x] { return x -= kButtonSize.width(); };
    if (m_showClose)
        ImageClose->move(nextButton(), kButtonTop);
    if (m_showMax) {
        const int left = nextButton();
        ImageMax->move(left, kButtonTop);
        ImageNormal->move(left, kButtonTop);
    }
    if (m_showMin)
        ImageMin->move(nextButton(), kButtonTop);
}

void Tfrm_qelNeoForm::updateEdgeZones() {
    const bool offered =
        GetcanResize() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    for (FrameEdgeZone *zone : m_zones) {
        zone->setVisible(offered);
        zone->raise();
    }
}

void Tfrm_qelNeoForm::FormCanResize(QObject *Sender, int &NewWidth, int &NewHeight, bool &Resize) {
    Q_UNUSED(Sender);
    const bool wide = NewWidth >= kBorderPictureWidth;
    const bool tall = NewHeight >= kBorderPictureHeight;
    for (int i = 0; i < m_framed.size(); ++i)
        if (kFrame[i].stretch.toInt() != 0)
            if (auto *image = qobject_cast<FrameImage *>(m_framed[i]))
                image->setStretch(kFrame[i].stretch == Qt::Horizontal ? wide : tall);
    if (NewWidth <= kMinimumSize.width())
        NewWidth = kMinimumSize.width();
    if (NewHeight <= kMinimumSize.height())
        NewHeight = kMinimumSize.height();
    Resize = true;
}

void Tfrm_qelNeoForm::ImageCloseClick(QObject *Sender) {
    Q_UNUSED(Sender);
    close();
}

void Tfrm_qelNeoForm::ImageMinClick(QObject *Sender) {
    Q_UNUSED(Sender);
    if (mainWindow() == this)
        FrameWindowSystem::minimiseApplication();
    else
        FrameWindowSystem::minimise(this);
}

void Tfrm_qelNeoForm::ImageNormalClick(QObject *Sender) {
    Q_UNUSED(Sender);
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void Tfrm_qelNeoForm::ImageMaxClick(QObject *Sender) {
    Q_UNUSED(Sender);
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized);
}

void Tfrm_qelNeoForm::ImageTopDblClick(QObject *Sender) {
    Q_UNUSED(Sender);
}

void Tfrm_qelNeoForm::ImageTopMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                        int Y) {
    Q_UNUSED(Sender);
    Q_UNUSED(Shift);
    m_dragOrigin = pos();
    m_dragDownPoint = mapToGlobal(QPoint(X, Y));
    if (Button != Qt::LeftButton)
        return;
    m_dragging = true;
    if (FrameWindowSystem::movesWindowsItself()) {
        // The compositor takes the pointer for the whole drag and we see no release, so the drag ends here.
        if (QWindow *handle = windowHandle(); handle && handle->startSystemMove())
            m_dragging = false;
    }
}

void Tfrm_qelNeoForm::ImageTopMouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y) {
    Q_UNUSED(Sender);
    Q_UNUSED(Shift);
    if (!m_dragging)
        return;
    move(mapToGlobal(QPoint(X, Y)) - m_dragDownPoint + m_dragOrigin);
}

void Tfrm_qelNeoForm::ImageTopMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                      int Y) {
    Q_UNUSED(Sender);
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    m_dragging = false;
}

void Tfrm_qelNeoForm::ImageIconDblClick(QObject *Sender) {
    Q_UNUSED(Sender);
    close();
}

void Tfrm_qelNeoForm::LabelCaptionDblClick(QObject *Sender) {
    Q_UNUSED(Sender);
    if (!ImageMax->isHidden())
        ImageMaxClick(ImageMax);
    else if (!ImageNormal->isHidden())
        ImageNormalClick(ImageNormal);
}

void Tfrm_qelNeoForm::FormShow(QObject *Sender) {
    Q_UNUSED(Sender);
    LabelCaption->setText(Caption());
}

void Tfrm_qelNeoForm::setActiveLook(bool active) {
    ImageLeftTop->setPicture(active ? ImageActiveLeftTop->picture() : ImageDeactiveLeftTop->picture());
    ImageTop->setPicture(active ? ImageActiveTop->picture() : ImageDeactiveTop->picture());
    ImageRightTop->setPicture(active ? ImageActiveRightTop->picture() : ImageDeactiveRightTop->picture());
    CoolBar->setBackground(active ? ImageActiveMenubar->picture() : ImageDeactiveMenubar->picture());
}

bool Tfrm_qelNeoForm::event(QEvent *event) {
    if (event->type() == QEvent::ToolTip && showCutTextToolTip(this, static_cast<QHelpEvent *>(event)))
        return true;
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        setActiveLook(true);
    else if (event->type() == QEvent::WindowDeactivate)
        setActiveLook(false);
    return handled;
}

void Tfrm_qelNeoForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow(this);
    // A window shown without being activated (no window manager, focus-stealing prevention) would otherwise keep
    // an empty caption band with white text on the white window colour until it is first activated.
    if (ImageTop->picture().isNull())
        setActiveLook(isActiveWindow());
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    move(FrameWindowSystem::centredPosition(size()));
}

void Tfrm_qelNeoForm::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // The size has already changed here; the minimum size given to the window system has kept it at 300 × 200 or
    // more, so only the stretching of the border pictures is left to decide.
    int newWidth = width();
    int newHeight = height();
    bool resize = true;
    FormCanResize(this, newWidth, newHeight, resize);
    FormResize(this);
}

void Tfrm_qelNeoForm::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // The state may change without a size change (a window maximised at its full size), and the restore button
    // and the resize zones follow the state.
    if (event->type() == QEvent::WindowStateChange)
        FormResize(this);
}

bool Tfrm_qelNeoForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == LabelCaption && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        LabelCaptionDblClick(LabelCaption);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

#ifdef Q_OS_WIN
bool Tfrm_qelNeoForm::nativeEvent(const QByteArray &eventType, void *message, qintptr *result) {
    // A window behind a modal one stays enabled (see ModalLayer); the system must not resize it either.
    if (eventType == "windows_generic_MSG" && !isBlockedByModal(this) &&
        FrameWindowSystem::answerHitTest(this, GetcanResize(), message, result))
        return true;
    return QWidget::nativeEvent(eventType, message, result);
}
#endif
