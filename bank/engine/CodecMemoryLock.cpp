// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/CodecMemoryLock.h"

#include <atomic>

namespace {

thread_local int t_skipDepth = 0;
std::atomic<long> g_skipped{0};

} // namespace

namespace CodecMemoryLock {

Skip::Skip() {
    ++t_skipDepth;
}

Skip::~Skip() {
    --t_skipDepth;
}

bool skipping() {
    return t_skipDepth > 0;
}

void noteSkipped() {
    ++g_skipped;
}

long skippedCount() {
    return g_skipped.load();
}

} // namespace CodecMemoryLock
