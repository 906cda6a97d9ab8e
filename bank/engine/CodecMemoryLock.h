// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets the bank's cipher skip locking its key buffers into memory while a connection is keyed and closed.
//
// The cipher locks every buffer it allocates for a connection (keys, page buffer, contexts) with mlock and unlocks
// it on close: about two dozen system calls per connection, each splitting or merging the heap's memory mapping,
// which made up a third of a statement's cost with keep-connection off. Inside a Skip scope on the calling thread
// the process's mlock/munlock do nothing; everywhere else (other threads, other libraries) they reach the system.
//
// The scope only takes effect in programs that link the replacement mlock/munlock (CodecMemoryLockOverride.cpp,
// linked by the trainer and the bank tool alone); elsewhere every lock reaches the C library as usual.
namespace CodecMemoryLock {

class Skip {
public:
    Skip();
    ~Skip();
    Skip(const Skip &) = delete;
    Skip &operator=(const Skip &) = delete;
};

// Whether the calling thread is inside a Skip scope (asked by the replacement mlock/munlock).
bool skipping();

// Counts one skipped call; skippedCount() tells how many were skipped in this process (tests check that the scope
// takes effect).
void noteSkipped();
long skippedCount();

} // namespace CodecMemoryLock
