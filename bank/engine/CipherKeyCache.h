// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Turns a bank's password into the raw key that opens it, deriving each key at most once per process. Safe to call
// from any thread.
//
// The bank's cipher derives its page key from the password and the salt in the file's first 16 bytes with 64000
// rounds of PBKDF2-HMAC-SHA1, some 27 ms. Keep-connection is off, so a drawing opens the bank 65 times; handing the
// derived key over as a raw key makes each of those opens cheap. The key is a function of salt and password alone,
// so the cache is keyed by those two: a bank replaced by another file (another salt) gets its own key, and no path
// needs resolving on each open.
namespace CipherKeyCache {

constexpr int kSaltSize = 16;

// The key as x'<64 hex digits>', ready for SqliteDatabase::setKey. PATH only names the file in a failure.
QByteArray rawKey(const QString &path, const QByteArray &salt, const QByteArray &password);

// How many slow derivations have run in this process (tests and benchmarks check the cache with it).
int derivationCount();

} // namespace CipherKeyCache
