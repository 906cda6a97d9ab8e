// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The code pages a teacher's text file comes in, turned into UTF-8: UTF-8 with or without a byte-order mark, GB18030
// (which holds GBK and GB2312: what spreadsheet programs on Chinese Windows save as CSV) and UTF-16 with a byte-order
// mark ("Unicode text"). GB18030 is decoded here, from tables in the source, because not every build of Qt can.
enum class TextEncoding { Utf8, Gb18030, Utf16 };

struct DecodedText {
    QByteArray utf8; // without a byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

// GB18030 to UTF-8; false, with the offset of the first byte that is no code, for anything else.
bool decodeGb18030(const QByteArray &bytes, QByteArray *utf8, qsizetype *badOffset = nullptr);

// UTF-8 when the bytes are valid UTF-8, otherwise GB18030 when they decode cleanly as that and do not start with
// UTF-8's byte-order mark; UTF-16 when they start with its byte-order mark. Anything else is a BankError naming
// `source` and the line of the first byte that is not UTF-8.
DecodedText decodeSourceText(const QByteArray &bytes, const QString &source);
