// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/ChildLimits.h"

#include <QProcess>

#include <windows.h>

namespace {

// A bank of some thousands of questions needs well under a tenth of this.
constexpr SIZE_T kMaxChildMemory = SIZE_T(1) * 1024 * 1024 * 1024;

} // namespace

ChildLimits::ChildLimits(QProcess &child) : m_child(child) {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    // A crash ends the child quietly (no error-reporting dialogue waiting for a click); the parent words the
    // message. Closing the job, when the parent is done or gone, ends whatever still runs in it.
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                              JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION |
                                              JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    limits.ProcessMemoryLimit = kMaxChildMemory;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return;
    }
    m_job = job;
    // The bank tool is a console program: no console window flashes up beside the trainer while it reads.
    m_child.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= CREATE_NO_WINDOW; });
}

ChildLimits::~ChildLimits() {
    if (m_job)
        CloseHandle(static_cast<HANDLE>(m_job));
}

bool ChildLimits::started() {
    if (!m_job)
        return false;
    const HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(m_child.processId()));
    if (!process)
        return false;
    const bool assigned = AssignProcessToJobObject(static_cast<HANDLE>(m_job), process) != 0;
    CloseHandle(process);
    return assigned;
}
