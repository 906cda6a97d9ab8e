// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <thread>

// Derives ahead of time the keys that opening a bank will need, so that the first paper of a run opens its bank as
// quickly as every later one. Opening a bank of our own format needs two slow derivations, some tenths of a second
// together: the workgroup logon's password hash and the bank file's page key. Both land in the process's caches
// (WorkgroupFile, CipherKeyCache), which are keyed by the files' contents, so a bank replaced meanwhile simply
// misses the cache. A legacy Access/Jet bank has no keys to derive.
//
// The trainer starts this on a worker thread while its splash is up. A failure there is dropped: the start button
// opens the bank the usual way, meets the same failure and reports it then.
class KeyWarmUp {
public:
    KeyWarmUp() = default;
    ~KeyWarmUp();
    KeyWarmUp(const KeyWarmUp &) = delete;
    KeyWarmUp &operator=(const KeyWarmUp &) = delete;

    // Starts deriving for the bank and workgroup file of CONNECTIONSTRING on a worker thread (waiting first for one
    // started before).
    void start(const QString &connectionString);
    // Returns once the worker has finished; at once when none runs.
    void wait();

    // Derives on the calling thread. Throws BankError as opening the bank would for the same fault.
    static void derive(const QString &connectionString);

private:
    std::thread m_worker;
};
