// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define HAVE_ICONV 1
#endif

#include "engine/BankError.h"
#include "tools/TextDecoding.h"

namespace {

[[maybe_unused]] QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray out;
    for (int value : values)
        out += char(value);
    return out;
}

QString failureOf(const QByteArray &bytes) {
    try {
        decodeSourceText(bytes, QStringLiteral("源/choose.csv"));
    } catch (const BankError &e) {
        return e.message();
    }
    return QString();
}

#ifdef HAVE_ICONV
// The system's own GB18030 decoding of one code; a null array where it refuses the code.
QByteArray iconvDecode(iconv_t cd, const QByteArray &code) {
    QByteArray in = code;
    char out[16];
    char *inp = in.data();
    char *outp = out;
    size_t inLeft = size_t(in.size());
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0)
        return QByteArray();
    return QByteArray(out, qsizetype(outp - out));
}

QByteArray fourByteCode(int linear, int firstByte) {
    const int b4 = 0x30 + linear % 10;
    linear /= 10;
    const int b3 = 0x81 + linear % 126;
    linear /= 126;
    const int b2 = 0x30 + linear % 10;
    const int b1 = firstByte + linear / 10;
    return bytesOf({b1, b2, b3, b4});
}
#endif

} // namespace

class TestTextDecoding : public QObject {
    Q_OBJECT
private slots:
    void gb18030AgreesWithTheSystem();
    void gb18030Refuses_data();
    void gb18030Refuses();
    void detects_data();
    void detects();
    void refusesWithTheLine();
};

// Every two-byte code, every four-byte code of the Basic Multilingual Plane and a stride through the planes above
// decode as the C library's converter decodes them, and what it refuses is refused.
void TestTextDecoding::gb18030AgreesWithTheSystem() {
#ifndef HAVE_ICONV
    QSKIP("no iconv to compare with");
#else
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        QSKIP("the C library has no GB18030 converter");
    int compared = 0;
    QStringList mismatches;
    const auto compare = [&](const QByteArray &code) {
        const QByteArray expected = iconvDecode(cd, code);
        QByteArray got;
        const bool ok = decodeGb18030(code, &got);
        if ((ok ? got : QByteArray()) != expected && mismatches.size() < 10)
            mismatches.append(QString::fromLatin1(code.toHex(' ')));
        ++compared;
    };
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F)
                compare(bytesOf({lead, trail}));
    for (int linear = 0; linear < 39420; ++linear)
        compare(fourByteCode(linear, 0x81));
    for (int linear = 0; linear < 0x100000; linear += 97)
        compare(fourByteCode(linear, 0x90));
    compare(QByteArray("\xE3\x32\x9A\x35")); // U+10FFFF, the last code
    compare(QByteArray("\xE3\x32\x9A\x36")); // past it
    iconv_close(cd);
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QStringLiteral("; "))));
    QVERIFY(compared > 23940 + 39420);
#endif
}

void TestTextDecoding::gb18030Refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::newRow("0x80 alone") << QByteArray("ab\x80") << 2;
    QTest::newRow("0xFF alone") << QByteArray("\xFF") << 0;
    QTest::newRow("lead byte at the end") << QByteArray("\xD6\xD0\xD6") << 2;
    QTest::newRow("trail 0x7F") << QByteArray("\xD6\x7F") << 0;
    QTest::newRow("four-byte code cut short") << QByteArray("x\x81\x30\x81") << 1;
    QTest::newRow("bad third byte") << QByteArray("\x81\x30\x20\x30") << 0;
}

void TestTextDecoding::gb18030Refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QByteArray out;
    qsizetype at = -1;
    QVERIFY(!decodeGb18030(bytes, &out, &at));
    QCOMPARE(at, qsizetype(offset));
}

void TestTextDecoding::detects_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("recno,中文\n") << int(TextEncoding::Utf8) << QStringLiteral("recno,中文\n");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF中文") << int(TextEncoding::Utf8)
                                     << QStringLiteral("中文");
    // "中文，€" in GBK with a four-byte code for U+00C9 (É) and a supplementary character (U+20000).
    QTest::newRow("GB18030") << QByteArray("\xD6\xD0\xCE\xC4\xA3\xAC\xA2\xE3\x81\x30\x87\x37\x95\x32\x82\x36")
                             << int(TextEncoding::Gb18030) << QStringLiteral("中文，€É\U00020000");
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE\x2D\x4E\x09\x00\x87\x65", 8) << int(TextEncoding::Utf16)
                              << QStringLiteral("中\t文");
    QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF\x4E\x2D\x00\x0A\x65\x87", 8) << int(TextEncoding::Utf16)
                              << QStringLiteral("中\n文");
    // Valid UTF-8 is never taken for GB18030, though these bytes are GB18030 too.
    QTest::newRow("UTF-8 that is also GB18030")
        << QByteArray("\xE4\xB8\xAD") << int(TextEncoding::Utf8) << QStringLiteral("中");
}

void TestTextDecoding::detects() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(QString, text);
    const DecodedText decoded = decodeSourceText(bytes, QStringLiteral("t.csv"));
    QCOMPARE(int(decoded.encoding), encoding);
    QCOMPARE(QString::fromUtf8(decoded.utf8), text);
}

// Neither UTF-8 nor GB18030: the message names the file and the line of the first byte that is not UTF-8, not the
// line where GB18030 failed.
void TestTextDecoding::refusesWithTheLine() {
    const QString message = failureOf(QByteArray("recno,a\n01001,\xD6\xD0\n01002,\x80\n"));
    QVERIFY2(message.contains(QStringLiteral("源/choose.csv")) && message.contains(QStringLiteral("第 2 行")),
             qPrintable(message));
    QVERIFY(failureOf(QByteArray("\xFF\xFE\x41", 3)).contains(QStringLiteral("UTF-16")));
    QVERIFY(failureOf(QByteArray("\xFF\xFE\x00\xD8\x41\x00", 6)).contains(QStringLiteral("UTF-16")));
    // Overlong forms and surrogates are not UTF-8; these bytes are no GB18030 either.
    QVERIFY(failureOf(QByteArray("a\n\xC0\xAF\x80")).contains(QStringLiteral("第 2 行")));
    QVERIFY(failureOf(QByteArray("\xED\xA0\x80\x80")).contains(QStringLiteral("第 1 行")));
    // With UTF-8's mark, GBK text after it is refused rather than read with the mark as two Chinese characters.
    QVERIFY(failureOf(QByteArray("\xEF\xBB\xBFrecno\n\xD6\xD0")).contains(QStringLiteral("第 2 行")));
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "test_textdecoding.moc"
