// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

class QLabel;
class QMenu;
class FrameCoolBar;
class FrameEdgeZone;
class FrameImage;
class TMenuBar;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum TBorderIcon : int { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = int;

// The window base of every screen: a frameless top-level window that draws its own caption band (icon, centred
// white caption, minimise / maximise / restore / close buttons), its own borders and resize zones, and lays the
// screen's content panel PanelBkGnd inside them. The window is sized around the panel (20 wider, 60 higher), the
// border style and icons given at construction decide the buttons and whether it can be resized, the caption band
// moves the window and changes its look when the window is deactivated. It is centred on the screen at its first
// show and reopens where it was after that. A screen builds its content on PanelBkGnd in its constructor; a
// screen with its own show handling overrides FormShow and runs this one first.
class Tfrm_qelNeoForm : public QWidget {
    Q_OBJECT
public:
    Tfrm_qelNeoForm(const QSize &panelSize, TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable,
                    TBorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize, QWidget *parent = nullptr);

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // The application's main window: minimising it minimises every window of the application.
    static void setMainWindow(QWidget *window);
    static QWidget *mainWindow();

    // Gives the window a main menu: the menu band appears in the caption with one button per top-level item.
    void setMainMenu(QMenu *menu);

    void FormCreate(QObject *Sender);
    void FormResize(QObject *Sender);
    void ImageCloseClick(QObject *Sender);
    void ImageMinClick(QObject *Sender);
    void ImageNormalClick(QObject *Sender);
    void ImageMaxClick(QObject *Sender);
    void ImageTopDblClick(QObject *Sender);
    void SetCanResize(bool value);
    bool GetcanResize() const { return m_canResize; }
    void SetBorderIcons();
    void ImageTopMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ImageTopMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ImageTopMouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void ImageIconDblClick(QObject *Sender);
    void FormCanResize(QObject *Sender, int &NewWidth, int &NewHeight, bool &Resize);
    // Copies the caption into the caption band. Runs on every show of the window, before the screen's own.
    virtual void FormShow(QObject *Sender);
    void LabelCaptionDblClick(QObject *Sender);

    // The drawn-paper marker and like integers that a window design keeps on the window.
    int Tag = 0;

    // The border style as the screen designed it until FormCreate has read it, bsNone from then on.
    TFormBorderStyle borderStyle() const { return m_borderStyle; }
    // Which caption buttons the border style and icons offer.
    bool closeButtonOffered() const { return m_showClose; }
    bool maxButtonOffered() const { return m_showMax; }
    bool minButtonOffered() const { return m_showMin; }
    // A drag of the caption band runs: where the window stood and where the button went down, on the screen.
    bool isDragging() const { return m_dragging; }
    QPoint dragOrigin() const { return m_dragOrigin; }
    QPoint dragDownPoint() const { return m_dragDownPoint; }

    // Components, in creation order (later ones lie on top of earlier ones).
    FrameImage *ImageTop;
    FrameImage *ImageLeft;
    FrameImage *ImageLeftTop;
    FrameImage *ImageRightTop;
    FrameImage *ImageRight;
    FrameImage *ImageBottom;
    QLabel *LabelCaption;
    FrameImage *ImageIcon;
    FrameImage *ImageMax;
    FrameImage *ImageMin;
    FrameImage *ImageNormal;
    FrameImage *ImageClose;
    FrameImage *ImageDeactiveLeftTop;
    FrameImage *ImageDeactiveTop;
    FrameImage *ImageDeactiveRightTop;
    FrameImage *ImageActiveTop;
    FrameImage *ImageActiveLeftTop;
    FrameImage *ImageActiveRightTop;
    FrameImage *ImageActiveMenubar;
    FrameImage *ImageDeactiveMenubar;
    FrameImage *ImageLeftBottom;
    FrameImage *ImageRightBottom;
    FrameCoolBar *CoolBar;
    TMenuBar *MenuBar;
    QWidget *PanelBkGnd;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    void createComponents(const QSize &panelSize);
    FrameImage *addImage(const char *name);
    // Places every part of the frame for the window's size (see the frame table in the source).
    void layOutFrame();
    void setActiveLook(bool active);
    void updateEdgeZones();

    // As the screen designed them; FormCreate reads both once and then sets the border style to bsNone.
    TFormBorderStyle m_borderStyle;
    TBorderIcons m_borderIcons;
    bool m_showClose = false;
    bool m_showMax = false;
    bool m_showMin = false;
    bool m_canResize = false;
    // False while FormCreate sizes the window, whose parts are then laid out once at its end.
    bool m_layoutReady = false;
    bool m_dragging = false;
    QPoint m_dragOrigin;
    QPoint m_dragDownPoint;

    QPointer<QMenu> m_mainMenu;
    FrameEdgeZone *m_zones[4] = {};
    // The parts the frame table places, in its order.
    QList<QWidget *> m_framed;
    bool m_shownBefore = false;
};
