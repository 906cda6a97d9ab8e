#pragma once

// Lets the bank's cipher skip locking its key buffers into memory while a connection is keyed and closed.
//
// The cipher locks every buffer it allocates for a connection (keys, page buffer, contexts) with mlock and unlocks
// it on close: about two dozen system calls per connection, each splitting or merging the heap's memory mapping,
// which made up a third of a statement's cost with keep-connection off. The lock only keeps those buffers out of
// swap; the bank's password lives in the connection string and its derived key in CipherKeyCache, both in ordinary
// memory, so the lock protects nothing that is not already there. Inside a Skip scope on the calling thread the
// process's mlock/munlock do nothing; everywhere else (other threads, other libraries) they reach the system.
namespace CodecMemoryLock {

class Skip {
public:
    Skip();
    ~Skip();
    Skip(const Skip &) = delete;
    Skip &operator=(const Skip &) = delete;
};

// How many mlock/munlock calls were skipped in this process (tests check that the scope takes effect).
long skippedCount();

} // namespace CodecMemoryLock
