// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QProcess;

// Limits on the reading child, which parses files that may be damaged or hostile: no core dump or crash dialogue,
// and an upper bound on its memory, so that a damaged length field that makes it ask for gigabytes ends it at once
// instead of after minutes of paging. On Unix the limits are set in the child between fork and exec; on Windows
// the child runs in a job object that also ends it when the parent lets go of it.
class ChildLimits {
public:
    // Arranges the limits for CHILD, before it is started.
    explicit ChildLimits(QProcess &child);
    // Ends the child, if it still runs, on Windows; nothing on Unix (the parent kills and reaps it itself).
    ~ChildLimits();
    ChildLimits(const ChildLimits &) = delete;
    ChildLimits &operator=(const ChildLimits &) = delete;

    // Puts the limits on the child once it has started; false when they could not be set.
    bool started();

private:
    QProcess &m_child;
#ifdef _WIN32
    void *m_job = nullptr; // the job object's handle
#endif
};
