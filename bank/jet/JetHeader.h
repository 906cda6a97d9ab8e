// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The first page of an Access/Jet database, as far as the trainer reads it itself: which Jet version wrote the
// file, whether its pages are RC4-encoded, and the database password kept there.
//
// From offset 0x18 the header is RC4-encoded with a fixed key. In the decoded header the password lies at 0x42 as
// up to 20 UCS-2 characters, masked cyclically with the four bytes of the file's creation date (the day number at
// 0x72, cut to a whole number); all zero means the file has no password. Decoding is pure, so a test or a fuzzer
// feeds it any bytes.
struct JetHeader {
    enum Version { Jet3 = 0, Jet4 = 1 }; // 2 and above: the later Access formats

    // How many bytes from the start of the file decode() needs.
    static constexpr int kSize = 0x18 + 128;

    int version = -1;
    quint32 pageKey = 0; // non-zero: every page after the first is RC4-encoded with this key and the page number
    QString password;    // empty when the file has none

    // True when the bytes begin like an Access/Jet (or later Access) database file.
    static bool recognises(const QByteArray &head);
    // False for bytes too short to hold a header or a header whose creation date is no usable day number.
    static bool decode(const QByteArray &head, JetHeader *out);

    // The database password check. Jet compares passwords exactly, case included; a file without a password opens
    // whatever password the connection gives.
    bool accepts(const QString &databasePassword) const;
};

// RC4 over DATA with KEY, in place: the header and the pages of a Jet file are encoded with it.
void jetRc4(const QByteArray &key, char *data, int size);
