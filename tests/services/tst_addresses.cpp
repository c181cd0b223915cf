#include "addresses.h"

#include <QTest>
#include <QUrl>

class AddressesTest : public QObject
{
    Q_OBJECT
private slots:
    void addresses_data();
    void addresses();
};

void AddressesTest::addresses_data()
{
    QTest::addColumn<QUrl>("address");
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("shown");

    const QString ah = QStringLiteral("啊");
    const QString strokeOrder(strokeOrderBaseAddress);

    QTest::newRow("Label13 ah") << strokeAnimationAddress(ah)
                                << strokeOrder + "/bsdh/post/%E5%95%8A.html"
                                << strokeOrder + "/bsdh/post/" + ah + ".html";
    QTest::newRow("Label13 empty") << strokeAnimationAddress(QString())
                                   << strokeOrder + "/bsdh/post/.html"
                                   << strokeOrder + "/bsdh/post/.html";
    QTest::newRow("Label5 shown ah") << strokeQueryAddress(ah, true)
                                     << strokeOrder + "/bscx/post/%E5%95%8A.html"
                                     << strokeOrder + "/bscx/post/" + ah + ".html";
    QTest::newRow("Label5 shown empty") << strokeQueryAddress(QString(), true)
                                        << strokeOrder + "/bscx/post/.html"
                                        << strokeOrder + "/bscx/post/.html";
    QTest::newRow("Label5 hidden ah") << strokeQueryAddress(ah, false) << strokeOrder + "/bscx"
                                      << strokeOrder + "/bscx";
    QTest::newRow("Label5 hidden empty") << strokeQueryAddress(QString(), false)
                                         << strokeOrder + "/bscx" << strokeOrder + "/bscx";
    QTest::newRow("Label6 ah") << dictionaryAddress(ah)
                               << "https://hanyu.baidu.com/s?wd=%E5%95%8A"
                               << "https://hanyu.baidu.com/s?wd=" + ah;
    QTest::newRow("Label6 empty") << dictionaryAddress(QString()) << "https://hanyu.baidu.com/s?wd="
                                  << "https://hanyu.baidu.com/s?wd=";
    QTest::newRow("Label6 spaces trimmed") << dictionaryAddress(QStringLiteral(" 一 "))
                                           << "https://hanyu.baidu.com/s?wd=%E4%B8%80"
                                           << QStringLiteral("https://hanyu.baidu.com/s?wd=一");
    // one byte per Latin-1 character, handed over as it is, not re-encoded
    QTest::newRow("Label6 e acute") << dictionaryAddress(QStringLiteral("é"))
                                    << "https://hanyu.baidu.com/s?wd=%E9"
                                    << "https://hanyu.baidu.com/s?wd=%E9";
    QTest::newRow("Label6 hash") << dictionaryAddress(QStringLiteral("#"))
                                 << "https://hanyu.baidu.com/s?wd=%23"
                                 << "https://hanyu.baidu.com/s?wd=%23";

    // characters that would end or break the path stay inside their segment
    const struct
    {
        const char *name;
        const char *character;
        const char *segment;
        const char *shownSegment; // toString() shows a space decoded
    } breaking[] = {
        {"hash", "#", "%23", "%23"},           {"question mark", "?", "%3F", "%3F"},
        {"percent", "%", "%25", "%25"},        {"percent hex", "%41", "%2541", "%2541"},
        {"space", " ", "%20", " "},            {"slash", "/", "%2F", "%2F"},
    };
    for (const auto &row : breaking) {
        const QString character = QString::fromLatin1(row.character);
        const QString segment = QString::fromLatin1(row.segment);
        const QString shownSegment = QString::fromLatin1(row.shownSegment);
        QTest::addRow("Label13 %s", row.name) << strokeAnimationAddress(character)
                                              << strokeOrder + "/bsdh/post/" + segment + ".html"
                                              << strokeOrder + "/bsdh/post/" + shownSegment + ".html";
        QTest::addRow("Label5 shown %s", row.name)
            << strokeQueryAddress(character, true) << strokeOrder + "/bscx/post/" + segment + ".html"
            << strokeOrder + "/bscx/post/" + shownSegment + ".html";
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

QTEST_GUILESS_MAIN(AddressesTest)
#include "tst_addresses.moc"
