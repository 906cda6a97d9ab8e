// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ClipPlayer.h"

#include <chrono>

#include "app/ClipArt.h"

ClipPlayer::ClipPlayer(QObject *parent) : QObject(parent) {}

ClipPlayer::~ClipPlayer() {
    stop();
}

void ClipPlayer::start(int clip, int firstFrame, const QColor &background, FrameSink sink) {
    stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = false;
        m_latest = QImage();
        m_latestIndex = firstFrame;
    }
    m_notifyPending.store(false);
    m_thread = std::thread(&ClipPlayer::run, this, clip, firstFrame, background, std::move(sink));
}

void ClipPlayer::stop() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

QImage ClipPlayer::latestFrame() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_latest;
}

int ClipPlayer::latestIndex() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_latestIndex;
}

void ClipPlayer::run(int clip, int firstFrame, QColor background, FrameSink sink) {
    const int count = ClipArt::frameCount(clip);
    if (count == 0)
        return;
    int index = firstFrame % count;
    auto due = std::chrono::steady_clock::now();
    for (;;) {
        const QImage image = ClipArt::frame(clip, index, background);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_latest = image;
            m_latestIndex = index;
        }
        ++m_rendered;
        if (sink)
            sink(image);
        if (!m_notifyPending.exchange(true))
            emit frameReady();

        // Paced against a fixed schedule rather than "sleep after drawing", so the clip keeps its speed.
        due += std::chrono::milliseconds(kFrameIntervalMs);
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_until(lock, due, [this] { return m_stopRequested; }))
            return;
        index = (index + 1) % count;
    }
}
