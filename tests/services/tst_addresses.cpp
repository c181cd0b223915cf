// SPDX-License-Identifier: GPL-3.0-or-later
#include "addresses.h"
#include "urlopener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class AddressesTest : public QObject {
    Q_OBJECT
private slots:
    void addresses_data();
    void addresses();
    void folderPages_data();
    void folderPages();
};

void AddressesTest::addresses_data()
{
    QTest::addColumn<QUrl>("address");
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("shown");

    const QString ah = QStringLiteral("啊");
    // the pages beside a program in a folder whose name needs encoding
    const QString base = strokeOrderBaseAddress(QStringLiteral("/opt/zi brin"));
    QCOMPARE(base, QStringLiteral("file:///opt/zi%20brin/strokeorder"));
    const QString strokeOrder = base;
    const QString shownBase = QStringLiteral("file:///opt/zi brin/strokeorder");

    QTest::newRow("Label13 ah") << strokeAnimationAddress(base, ah)
                                << strokeOrder + "/bsdh/post/%E5%95%8A.html"
                                << shownBase + "/bsdh/post/" + ah + ".html";
    QTest::newRow("Label13 empty")
        << strokeAnimationAddress(base, QString()) << strokeOrder + "/bsdh/post/.html"
        << shownBase + "/bsdh/post/.html";
    QTest::newRow("Label5 shown ah")
        << strokeQueryAddress(base, ah, true) << strokeOrder + "/bscx/post/%E5%95%8A.html"
        << shownBase + "/bscx/post/" + ah + ".html";
    QTest::newRow("Label5 shown empty")
        << strokeQueryAddress(base, QString(), true) << strokeOrder + "/bscx/post/.html"
        << shownBase + "/bscx/post/.html";
    QTest::newRow("Label5 hidden ah")
        << strokeQueryAddress(base, ah, false) << strokeOrder + "/bscx" << shownBase + "/bscx";
    QTest::newRow("Label5 hidden empty") << strokeQueryAddress(base, QString(), false)
                                         << strokeOrder + "/bscx" << shownBase + "/bscx";
    // an online base address set by the build is taken as it is
    QTest::newRow("Label13 online base")
        << strokeAnimationAddress(QStringLiteral("https://example.org/bs"), ah)
        << QStringLiteral("https://example.org/bs/bsdh/post/%E5%95%8A.html")
        << "https://example.org/bs/bsdh/post/" + ah + ".html";
    QTest::newRow("Label6 ah") << dictionaryAddress(ah) << "https://hanyu.baidu.com/s?wd=%E5%95%8A"
                               << "https://hanyu.baidu.com/s?wd=" + ah;
    QTest::newRow("Label6 empty") << dictionaryAddress(QString()) << "https://hanyu.baidu.com/s?wd="
                                  << "https://hanyu.baidu.com/s?wd=";
    QTest::newRow("Label6 spaces trimmed")
        << dictionaryAddress(QStringLiteral(" 一 ")) << "https://hanyu.baidu.com/s?wd=%E4%B8%80"
        << QStringLiteral("https://hanyu.baidu.com/s?wd=一");
    // one byte per Latin-1 character, handed over as it is, not re-encoded
    QTest::newRow("Label6 e acute")
        << dictionaryAddress(QStringLiteral("é")) << "https://hanyu.baidu.com/s?wd=%E9"
        << "https://hanyu.baidu.com/s?wd=%E9";
    QTest::newRow("Label6 hash") << dictionaryAddress(QStringLiteral("#"))
                                 << "https://hanyu.baidu.com/s?wd=%23"
                                 << "https://hanyu.baidu.com/s?wd=%23";

    // characters that would end or break the path stay inside their segment
    const struct {
        const char *name;
        const char *character;
        const char *segment;
        const char *shownSegment; // toString() shows a space decoded
    } breaking[] = {
        { "hash", "#", "%23", "%23" },
        { "question mark", "?", "%3F", "%3F" },
        { "percent", "%", "%25", "%25" },
        { "percent hex", "%41", "%2541", "%2541" },
        { "space", " ", "%20", " " },
        { "slash", "/", "%2F", "%2F" },
    };
    for (const auto &row : breaking) {
        const QString character = QString::fromLatin1(row.character);
        const QString segment = QString::fromLatin1(row.segment);
        const QString shownSegment = QString::fromLatin1(row.shownSegment);
        QTest::addRow("Label13 %s", row.name) << strokeAnimationAddress(base, character)
                                              << strokeOrder + "/bsdh/post/" + segment + ".html"
                                              << shownBase + "/bsdh/post/" + shownSegment + ".html";
        QTest::addRow("Label5 shown %s", row.name)
            << strokeQueryAddress(base, character, true)
            << strokeOrder + "/bscx/post/" + segment + ".html"
            << shownBase + "/bscx/post/" + shownSegment + ".html";
    }
}

void AddressesTest::addresses()
{
    QFETCH(QUrl, address);
    QFETCH(QString, encoded);
    QFETCH(QString, shown);

    QVERIFY2(address.isValid(), qPrintable(address.errorString()));
    QVERIFY(!address.hasFragment());
    QCOMPARE(QString::fromLatin1(address.toEncoded()), encoded);
    QCOMPARE(address.toString(), shown);
}

// The opener resolves a folder of pages to its index.html, as the query page's address names the
// folder bscx; anything else is opened as it is.
void AddressesTest::folderPages_data()
{
    QTest::addColumn<QString>("address"); // "DIR" stands for the temporary folder's address
    QTest::addColumn<QString>("opened");
    QTest::newRow("folder with index.html") << "DIR/bscx"
                                            << "DIR/bscx/index.html";
    QTest::newRow("folder with index.html, slash") << "DIR/bscx/"
                                                   << "DIR/bscx/index.html";
    QTest::newRow("folder without index.html") << "DIR/bsdh"
                                               << "DIR/bsdh";
    QTest::newRow("page") << "DIR/bscx/index.html"
                          << "DIR/bscx/index.html";
    QTest::newRow("missing folder") << "DIR/none"
                                    << "DIR/none";
    QTest::newRow("index.html is a folder") << "DIR/odd"
                                            << "DIR/odd";
    QTest::newRow("web address") << "https://example.org/bscx"
                                 << "https://example.org/bscx";
}

void AddressesTest::folderPages()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("bscx")) && root.mkpath(QStringLiteral("bsdh"))
        && root.mkpath(QStringLiteral("odd/index.html")));
    QFile index(root.filePath(QStringLiteral("bscx/index.html")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.close();

    const QString dirAddress = QUrl::fromLocalFile(dir.path()).toString();
    const QUrl given(address.replace(QLatin1String("DIR"), dirAddress));
    QCOMPARE(pageAddress(given), QUrl(opened.replace(QLatin1String("DIR"), dirAddress)));
}

QTEST_GUILESS_MAIN(AddressesTest)
#include "tst_addresses.moc"
