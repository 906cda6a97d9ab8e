// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "app/ClipArt.h"

class ClipPlayer;
class X11FramePresenter;

// The common clips of the busy window, by index.
enum class TCommonAVI {
    aviNone,
    aviFindFolder,
    aviFindFile,
    aviFindComputer,
    aviCopyFiles,
    aviCopyFile,
    aviRecycleFile,
    aviEmptyRecycle,
    aviDeleteFile
};

// The animation control of the busy window: shows one common clip, loaded with setCommonAVI and played or stopped
// with setActive. While it plays, the frames are rendered on the player's thread; the widget paints the latest one
// whenever the user-interface thread gets to it, and on X11 the frames also go straight to the screen, so the clip
// moves on while the user-interface thread is busy. Loading a different clip stops it and shows the clip's first
// frame; loading the clip already loaded changes nothing, so a playing clip just goes on.
class TAnimate : public QWidget {
    Q_OBJECT
public:
    explicit TAnimate(QWidget *parent = nullptr);
    ~TAnimate() override;

    TCommonAVI CommonAVI() const { return m_clip; }
    void setCommonAVI(TCommonAVI clip);

    bool Active() const { return m_active; }
    void setActive(bool active);

    // The frame a stopped clip comes to rest on when loaded at design time; kept for the window design.
    int StopFrame() const { return m_stopFrame; }
    void setStopFrame(int frame) { m_stopFrame = frame; }

    int FrameCount() const;
    // The frame on show (or last produced by the playing thread) and its index.
    QImage currentImage() const;
    int currentFrame() const;
    // Frames rendered by the player since the control was made, for tests.
    int renderedFrames() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void takeFrame();
    void startPlayer();

    TCommonAVI m_clip = TCommonAVI::aviNone;
    bool m_active = false;
    int m_stopFrame = 0;
    QImage m_shown;
    int m_shownIndex = 0;
    ClipPlayer *m_player;
    std::unique_ptr<X11FramePresenter> m_presenter;
};
