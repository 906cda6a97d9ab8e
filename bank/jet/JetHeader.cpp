// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetHeader.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <QtEndian>

namespace {

constexpr int kSignatureOffset = 4;
const char kJetSignature[] = "Standard Jet DB";
const char kAceSignature[] = "Standard ACE DB";

constexpr int kEncodedFrom = 0x18;
const char kHeaderKey[] = "\xC7\xDA\x39\x6B";
constexpr int kVersionOffset = 0x14;
constexpr int kPageKeyOffset = 0x3e;
constexpr int kPasswordOffset = 0x42;
constexpr int kPasswordBytes = 40;
constexpr int kCreatedOffset = 0x72;

bool signatureAt(const QByteArray &head, const char *signature) {
    const int length = int(std::strlen(signature));
    return head.size() >= kSignatureOffset + length &&
           std::memcmp(head.constData() + kSignatureOffset, signature, size_t(length)) == 0;
}

} // namespace

void jetRc4(const QByteArray &key, char *data, int size) {
    if (key.isEmpty())
        return;
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    unsigned j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 0xff;
        std::swap(s[i], s[j]);
    }
    unsigned a = 0;
    unsigned b = 0;
    for (int n = 0; n < size; ++n) {
        a = (a + 1) & 0xff;
        b = (b + s[a]) & 0xff;
        std::swap(s[a], s[b]);
        data[n] = char(static_cast<unsigned char>(data[n]) ^ s[(s[a] + s[b]) & 0xff]);
    }
}

bool JetHeader::recognises(const QByteArray &head) {
    return signatureAt(head, kJetSignature) || signatureAt(head, kAceSignature);
}

bool JetHeader::decode(const QByteArray &head, JetHeader *out) {
    if (head.size() < kSize || !recognises(head))
        return false;
    QByteArray plain = head.left(kSize);
    jetRc4(QByteArray(kHeaderKey, 4), plain.data() + kEncodedFrom, kSize - kEncodedFrom);
    const auto *bytes = reinterpret_cast<const uchar *>(plain.constData());

    JetHeader header;
    header.version = bytes[kVersionOffset];
    header.pageKey = qFromLittleEndian<quint32>(bytes + kPageKeyOffset);

    // The mask is the creation date's day number; a file without a sensible one cannot be unmasked at all.
    const double created = qFromLittleEndian<double>(bytes + kCreatedOffset);
    if (!std::isfinite(created) || created <= double(std::numeric_limits<qint32>::min()) - 1 ||
        created >= double(std::numeric_limits<qint32>::max()) + 1)
        return false;
    uchar mask[4];
    qToLittleEndian<qint32>(qint32(std::trunc(created)), mask);

    QString password;
    for (int i = 0; i + 1 < kPasswordBytes; i += 2) {
        const char16_t unit = char16_t((bytes[kPasswordOffset + i] ^ mask[i % 4]) |
                                       (bytes[kPasswordOffset + i + 1] ^ mask[(i + 1) % 4]) << 8);
        if (unit == 0)
            break;
        password.append(QChar(unit));
    }
    header.password = password;
    *out = header;
    return true;
}

bool JetHeader::accepts(const QString &databasePassword) const {
    return password.isEmpty() || password == databasePassword;
}
