// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TAnimate.h"

#include <QEvent>
#include <QHideEvent>
#include <QPainter>
#include <QWindow>

#include "app/ClipPlayer.h"
#include "app/X11FramePresenter.h"

TAnimate::TAnimate(QWidget *parent) : QWidget(parent), m_player(new ClipPlayer(this)) {
    setFixedSize(ClipArt::kFrameWidth, ClipArt::kFrameHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_player, &ClipPlayer::frameReady, this, &TAnimate::takeFrame);
    m_shown = ClipArt::frame(int(m_clip), 0, palette().color(QPalette::Window));
}

TAnimate::~TAnimate() {
    // The player's thread may be inside the presenter: end it before the presenter goes.
    m_player->stop();
}

void TAnimate::setCommonAVI(TCommonAVI clip) {
    if (clip == m_clip)
        return;
    setActive(false);
    m_clip = clip;
    m_shownIndex = 0;
    m_shown = ClipArt::frame(int(m_clip), 0, palette().color(QPalette::Window));
    update();
}

void TAnimate::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        startPlayer();
    } else {
        m_player->stop();
        takeFrame();
    }
}

int TAnimate::FrameCount() const {
    return ClipArt::frameCount(int(m_clip));
}

QImage TAnimate::currentImage() const {
    if (m_player->isRunning()) {
        const QImage latest = m_player->latestFrame();
        if (!latest.isNull())
            return latest;
    }
    return m_shown;
}

int TAnimate::currentFrame() const {
    return m_player->isRunning() && !m_player->latestFrame().isNull() ? m_player->latestIndex() : m_shownIndex;
}

int TAnimate::renderedFrames() const {
    return m_player->renderedFrames();
}

void TAnimate::startPlayer() {
    if (FrameCount() == 0)
        return;
    // The window is shown before the clip plays, so its native handle is there; the presenter is made once per
    // native window and offset.
    QWidget *top = window();
    const QPoint offset = mapTo(top, QPoint(0, 0));
    const quintptr handle = top->windowHandle() ? quintptr(top->winId()) : 0;
    if (!m_presenter || m_presenter->window() != handle || m_presenter->offset() != offset) {
        m_player->stop();
        m_presenter = (top->devicePixelRatioF() == 1.0) ? X11FramePresenter::create(handle, offset) : nullptr;
    }
    ClipPlayer::FrameSink sink;
    if (X11FramePresenter *presenter = m_presenter.get())
        sink = [presenter](const QImage &frame) { presenter->present(frame); };
    m_player->start(int(m_clip), m_shownIndex, palette().color(QPalette::Window), sink);
}

void TAnimate::takeFrame() {
    m_player->acknowledge();
    const QImage latest = m_player->latestFrame();
    if (latest.isNull())
        return;
    m_shown = latest;
    m_shownIndex = m_player->latestIndex();
    update();
}

void TAnimate::paintEvent(QPaintEvent *event) {
    Q_UNUSED(event);
    QPainter painter(this);
    painter.drawImage(0, 0, currentImage());
}

void TAnimate::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    // An unmapped window has nothing to show; the thread would only draw into the void.
    if (!event->spontaneous())
        setActive(false);
}

void TAnimate::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // The frames are drawn on the window's background; a new palette redraws the frame at rest.
    if (event->type() == QEvent::PaletteChange && !m_player->isRunning()) {
        m_shown = ClipArt::frame(int(m_clip), m_shownIndex, palette().color(QPalette::Window));
        update();
    }
}
