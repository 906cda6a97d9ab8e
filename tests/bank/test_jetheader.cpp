// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstring>

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include "jet/JetHeader.h"
#include "tests/support/JetFixtures.h"

namespace {

QByteArray headOf(const QString &fixture) {
    QFile file(jetFixture(fixture));
    return file.open(QIODevice::ReadOnly) ? file.read(JetHeader::kSize) : QByteArray();
}

// Decodes the header, lets CHANGE work on the plain bytes, and encodes it again: the tests make headers that no
// fixture has without writing the format a second time.
QByteArray rewritten(const QByteArray &head, const std::function<void(uchar *)> &change) {
    const QByteArray key("\xC7\xDA\x39\x6B", 4);
    QByteArray bytes = head;
    jetRc4(key, bytes.data() + 0x18, JetHeader::kSize - 0x18);
    change(reinterpret_cast<uchar *>(bytes.data()));
    jetRc4(key, bytes.data() + 0x18, JetHeader::kSize - 0x18);
    return bytes;
}

// Stores PASSWORD masked with the header's own creation date.
QByteArray withPassword(const QByteArray &head, const QString &password) {
    return rewritten(head, [&](uchar *plain) {
        uchar mask[4];
        qToLittleEndian<qint32>(qint32(qFromLittleEndian<double>(plain + 0x72)), mask);
        for (int i = 0; i < 40; ++i) {
            const int unit = i / 2 < password.size() ? password[i / 2].unicode() : 0;
            plain[0x42 + i] = uchar((i % 2 ? unit >> 8 : unit & 0xff) ^ mask[i % 4]);
        }
    });
}

} // namespace

// The header of a Jet file as the engine reads it itself: version, page encoding and the database password.
class TestJetHeader : public QObject {
    Q_OBJECT

private slots:
    void genuineHeaders_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("pagesEncoded");
        QTest::newRow("with password") << "V2003_with-password.mdb"
                                       << "password" << false;
        QTest::newRow("without password") << "V2003_no-password.mdb"
                                          << "" << false;
        QTest::newRow("RC4-encoded pages") << "db-enc.mdb"
                                           << "" << true;
        QTest::newRow("Unicode texts") << "testUnicodeCompV2003.mdb"
                                       << "" << false;
    }
    void genuineHeaders() {
        QFETCH(QString, fixture);
        QFETCH(QString, password);
        QFETCH(bool, pagesEncoded);
        const QByteArray head = headOf(fixture);
        QVERIFY(JetHeader::recognises(head));
        JetHeader header;
        QVERIFY(JetHeader::decode(head, &header));
        QCOMPARE(header.version, int(JetHeader::Jet4));
        QCOMPARE(header.password, password);
        QCOMPARE(header.pageKey != 0, pagesEncoded);
    }

    void passwordCheck_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << "password"
                              << "password" << true;
        QTest::newRow("wrong") << "password"
                               << "passwort" << false;
        QTest::newRow("empty given") << "password"
                                     << "" << false;
        QTest::newRow("other case") << "password"
                                    << "PASSWORD" << false;
        QTest::newRow("prefix") << "password"
                                << "pass" << false;
        QTest::newRow("trainer's") << "mvkpla.27.zqe"
                                   << "mvkpla.27.zqe" << true;
        QTest::newRow("twenty characters, no terminator") << "abcdefghijklmnopqrst"
                                                          << "abcdefghijklmnopqrst" << true;
        QTest::newRow("twenty-one given for twenty kept") << "abcdefghijklmnopqrst"
                                                          << "abcdefghijklmnopqrstu" << false;
        QTest::newRow("Chinese") << "题库密码"
                                 << "题库密码" << true;
        QTest::newRow("none kept") << ""
                                   << "anything" << true;
    }
    void passwordCheck() {
        QFETCH(QString, stored);
        QFETCH(QString, given);
        QFETCH(bool, accepted);
        JetHeader header;
        QVERIFY(JetHeader::decode(withPassword(headOf(QStringLiteral("V2003_no-password.mdb")), stored), &header));
        QCOMPARE(header.password, stored);
        QCOMPARE(header.accepts(given), accepted);
    }

    void unusableHeaders_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("recognised");
        const QByteArray good = headOf(QStringLiteral("V2003_with-password.mdb"));
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("cut short") << good.left(JetHeader::kSize - 1) << true;
        QTest::newRow("other signature") << QByteArray(good).replace(4, 3, "XYZ") << false;
        QTest::newRow("creation date not a number") << rewritten(good, [](uchar *plain) {
            qToLittleEndian<double>(std::numeric_limits<double>::quiet_NaN(), plain + 0x72);
        }) << true;
        QTest::newRow("creation date out of range")
            << rewritten(good, [](uchar *plain) { qToLittleEndian<double>(1e300, plain + 0x72); }) << true;
    }
    void unusableHeaders() {
        QFETCH(QByteArray, head);
        QFETCH(bool, recognised);
        QCOMPARE(JetHeader::recognises(head), recognised);
        JetHeader header;
        QVERIFY(!JetHeader::decode(head, &header));
    }

    // A later Access format is recognised, so that the engine can say why it does not read it.
    void laterFormatsAreRecognised() {
        QByteArray head = headOf(QStringLiteral("V2003_no-password.mdb"));
        std::memcpy(head.data() + 4, "Standard ACE DB", 15);
        head[0x14] = 2;
        QVERIFY(JetHeader::recognises(head));
        JetHeader header;
        QVERIFY(JetHeader::decode(head, &header));
        QCOMPARE(header.version, 2);
    }
};

QTEST_GUILESS_MAIN(TestJetHeader)
#include "test_jetheader.moc"
