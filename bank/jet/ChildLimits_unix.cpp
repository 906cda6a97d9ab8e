// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/ChildLimits.h"

#include <QProcess>

#include <sys/resource.h>

#include "engine/SanitizerBuild.h"

namespace {

// Left off in an address-sanitizer build, whose reserved address space would keep the child from starting.
#if !defined(MOCKEXAM_ADDRESS_SANITIZER)
// A bank of some thousands of questions needs well under a tenth of this.
constexpr rlim_t kMaxChildMemory = rlim_t(1) * 1024 * 1024 * 1024;
#endif

// Runs in the child between fork and exec: only async-signal-safe calls.
void limitChild() {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#if !defined(MOCKEXAM_ADDRESS_SANITIZER)
    const rlimit memory{kMaxChildMemory, kMaxChildMemory};
    setrlimit(RLIMIT_AS, &memory);
#endif
}

} // namespace

ChildLimits::ChildLimits(QProcess &child) : m_child(child) {
    m_child.setChildProcessModifier(limitChild);
}

ChildLimits::~ChildLimits() = default;

bool ChildLimits::started() {
    return true;
}
