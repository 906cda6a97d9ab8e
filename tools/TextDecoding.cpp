// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/TextDecoding.h"

#include <QStringDecoder>

#include "engine/BankError.h"
#include "tools/Gb18030Table.h"

namespace {

void appendUtf8(QByteArray &out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The code point of a four-byte code by its linear index from 81 30 81 30; 0 for none.
char32_t fourByte(int linear) {
    constexpr int kSupplementaryStart = ((0x90 - 0x81) * 10 * 126 * 10); // 90 30 81 30
    if (linear >= kSupplementaryStart) {
        const int offset = linear - kSupplementaryStart;
        return offset < 0x100000 ? char32_t(0x10000 + offset) : 0;
    }
    int low = 0;
    int high = kGb18030FourByteRangeCount - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const Gb18030Range &range = kGb18030FourByteRanges[mid];
        if (linear < range.linearStart)
            high = mid - 1;
        else if (linear >= range.linearStart + range.length)
            low = mid + 1;
        else
            return range.codePoint + char32_t(linear - range.linearStart);
    }
    return 0;
}

// The position of the first byte that is not part of well-formed UTF-8 (no overlong forms, no surrogates, nothing
// past U+10FFFF), or -1.
qsizetype firstNonUtf8(const QByteArray &bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        uchar low = 0x80;
        uchar high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + length > n)
            return i;
        const uchar second = uchar(bytes[i + 1]);
        if (second < low || second > high)
            return i;
        for (int k = 2; k < length; ++k)
            if ((uchar(bytes[i + k]) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return -1;
}

// Qt's UTF-16 decoder lets a surrogate without its partner through.
bool hasLoneSurrogate(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

int lineOf(const QByteArray &bytes, qsizetype offset) {
    return int(QByteArrayView(bytes).first(offset).count('\n')) + 1;
}

} // namespace

bool decodeGb18030(const QByteArray &bytes, QByteArray *utf8, qsizetype *badOffset) {
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const qsizetype n = bytes.size();
    const auto fail = [&](qsizetype at) {
        if (badOffset)
            *badOffset = at;
        return false;
    };
    for (qsizetype i = 0; i < n;) {
        const uchar b1 = uchar(bytes[i]);
        if (b1 < 0x80) {
            out += char(b1);
            ++i;
            continue;
        }
        if (b1 == 0x80 || b1 == 0xFF || i + 1 >= n)
            return fail(i);
        const uchar b2 = uchar(bytes[i + 1]);
        if (b2 >= 0x30 && b2 <= 0x39) {
            if (i + 3 >= n)
                return fail(i);
            const uchar b3 = uchar(bytes[i + 2]);
            const uchar b4 = uchar(bytes[i + 3]);
            if (b3 < 0x81 || b3 > 0xFE || b4 < 0x30 || b4 > 0x39)
                return fail(i);
            const int linear = (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
            const char32_t cp = fourByte(linear);
            if (cp == 0)
                return fail(i);
            appendUtf8(out, cp);
            i += 4;
            continue;
        }
        if (b2 < 0x40 || b2 == 0x7F || b2 == 0xFF)
            return fail(i);
        const int trail = b2 < 0x7F ? b2 - 0x40 : b2 - 0x41;
        appendUtf8(out, kGb18030TwoByte[(b1 - 0x81) * 190 + trail]);
        i += 2;
    }
    if (utf8)
        *utf8 = out;
    return true;
}

DecodedText decodeSourceText(const QByteArray &bytes, const QString &source) {
    DecodedText text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringConverter::Flag::Stateless);
        const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(2));
        if (decoder.hasError() || bytes.size() % 2 != 0 || hasLoneSurrogate(decoded))
            throw BankError(
                QStringLiteral("文件 %1 以 UTF-16 字节顺序标记开头，但内容不是有效的 UTF-16 文本").arg(source));
        text.utf8 = decoded.toUtf8();
        text.encoding = TextEncoding::Utf16;
        return text;
    }
    const qsizetype bad = firstNonUtf8(bytes);
    if (bad < 0) {
        text.utf8 = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        return text;
    }
    // A file that announces UTF-8 with its mark is not taken for GB18030, whose codes the mark also spells.
    if (!bytes.startsWith("\xEF\xBB\xBF") && decodeGb18030(bytes, &text.utf8)) {
        text.encoding = TextEncoding::Gb18030;
        return text;
    }
    throw BankError(QStringLiteral("文件 %1 第 %2 行既不是 UTF-8 编码，也不是 GB18030（GBK）编码，"
                                   "请将文件另存为 UTF-8")
                        .arg(source)
                        .arg(lineOf(bytes, bad)));
}
