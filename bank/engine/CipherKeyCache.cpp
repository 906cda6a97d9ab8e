// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/CipherKeyCache.h"

#include <atomic>

#include <QHash>
#include <QMutex>

#include <openssl/evp.h>

#include "engine/BankError.h"

namespace {

// The cipher's own parameters for a passphrase: PBKDF2-HMAC-SHA1, 64000 rounds, a 256-bit key.
constexpr int kKdfIterations = 64000;
constexpr int kKeySize = 32;

// The trainer derives its keys on a worker thread while the splash is up, and its drawing may ask for the same key
// at once. The lock is held through a derivation, so that one key is derived once, never twice side by side.
QMutex g_lock;
QHash<QByteArray, QByteArray> g_keys;
std::atomic<int> g_derivations{0};

} // namespace

namespace CipherKeyCache {

QByteArray rawKey(const QString &path, const QByteArray &salt, const QByteArray &password) {
    // The parts are length-prefixed so that no two different pairs run together into the same cache key.
    QByteArray id;
    for (const QByteArray &part : {salt, password})
        id += QByteArray::number(part.size()) + ':' + part;
    const QMutexLocker locker(&g_lock);
    auto it = g_keys.constFind(id);
    if (it != g_keys.constEnd())
        return it.value();

    unsigned char key[kKeySize];
    if (PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
                               reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                               kKdfIterations, kKeySize, key) != 1)
        throw BankError(QStringLiteral("无法计算题库文件的密钥：%1").arg(path));
    ++g_derivations;
    const QByteArray raw = "x'" + QByteArray(reinterpret_cast<const char *>(key), kKeySize).toHex() + "'";
    g_keys.insert(id, raw);
    return raw;
}

int derivationCount() {
    return g_derivations.load();
}

} // namespace CipherKeyCache
