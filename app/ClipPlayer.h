// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Plays one clip on a thread of its own, so the animation goes on while the user-interface thread is busy with the
// long work the busy window announces. The thread only renders QImages: it keeps the latest frame for the widget
// to paint, tells the widget through a queued signal (one at a time, so a busy user-interface thread does not
// collect a backlog), and hands each frame to an optional direct sink that puts it on screen without the
// user-interface thread.
class ClipPlayer : public QObject {
    Q_OBJECT
public:
    using FrameSink = std::function<void(const QImage &)>;

    static constexpr int kFrameIntervalMs = 67;

    explicit ClipPlayer(QObject *parent = nullptr);
    ~ClipPlayer() override;

    // Starts playing `clip` from frame `firstFrame`; a running play is stopped first. The sink, if any, is called
    // on the player's thread and must stay valid until stop() returns.
    void start(int clip, int firstFrame, const QColor &background, FrameSink sink = {});
    // Returns once the thread has ended; the latest frame stays.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

    QImage latestFrame() const;
    int latestIndex() const;
    // Frames rendered since construction, for tests that check the thread kept going.
    int renderedFrames() const { return m_rendered.load(); }

    // Called by the receiver of frameReady once it has taken the frame.
    void acknowledge() { m_notifyPending.store(false); }

signals:
    void frameReady();

private:
    void run(int clip, int firstFrame, QColor background, FrameSink sink);

    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    QImage m_latest;
    int m_latestIndex = 0;
    std::atomic<bool> m_notifyPending{false};
    std::atomic<int> m_rendered{0};
};
