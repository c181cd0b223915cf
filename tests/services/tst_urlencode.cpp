// SPDX-License-Identifier: GPL-3.0-or-later
#include "urlencode.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUrl>

#include <bitset>
#include <cctype>
#include <cstdio>
#include <string>

namespace {

QString units(std::initializer_list<char16_t> codeUnits)
{
    QString text;
    for (char16_t unit : codeUnits)
        text += QChar(unit);
    return text;
}

// Written apart from the encoder: trims with std::u16string, spells each code unit's 16 bits
// out in binary and cuts the three bytes from that text.
std::string referenceEncode(const QString &text)
{
    std::u16string s(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
    const auto first = s.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return {};
    s = s.substr(first, s.find_last_not_of(u' ') - first + 1);

    std::string out;
    char byte[4];
    for (char16_t unit : s) {
        if (unit < 128 && std::isalnum(static_cast<unsigned char>(unit))) {
            out += char(unit);
        } else if (unit < 256) {
            std::snprintf(byte, sizeof byte, "%%%02X", unsigned(unit));
            out += byte;
        } else {
            const std::string bits = std::bitset<16>(unit).to_string();
            for (const std::string &pattern : { "1110" + bits.substr(0, 4),
                     "10" + bits.substr(4, 6), "10" + bits.substr(10, 6) }) {
                std::snprintf(
                    byte, sizeof byte, "%%%02X", unsigned(std::stoul(pattern, nullptr, 2)));
                out += byte;
            }
        }
    }
    return out;
}

QString codeUnitList(const QString &text)
{
    QStringList list;
    for (QChar unit : text)
        list << QStringLiteral("%1").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return list.join(QLatin1Char(' '));
}

char16_t randomUnit(QRandomGenerator &random)
{
    switch (random.bounded(7)) {
    case 0:
        return u' ';
    case 1:
        return char16_t(random.bounded(0, 128));
    case 2:
        return char16_t(random.bounded(128, 256));
    case 3:
        return char16_t(random.bounded(256, 0x800));
    case 4:
        return char16_t(random.bounded(0xD800, 0xE000)); // surrogates, paired or not
    case 5:
        return char16_t(random.bounded(0x4E00, 0xA000));
    default:
        return char16_t(random.bounded(0x100, 0x10000));
    }
}

} // namespace

class UrlEncodeTest : public QObject {
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void longTextIsEncodedWhole();
    void agreesWithReference();
    void agreesWithUtf8ForBmpCharacters();
};

void UrlEncodeTest::examples_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("ah") << QStringLiteral("啊") << "%E5%95%8A";
    QTest::newRow("one") << QStringLiteral("一") << "%E4%B8%80";
    QTest::newRow("U+0800") << units({ 0x0800 }) << "%E0%A0%80";
    QTest::newRow("U+FFFF") << units({ 0xFFFF }) << "%EF%BF%BF";
    QTest::newRow("U+0100 three bytes") << units({ 0x0100 }) << "%E0%84%80";
    QTest::newRow("U+07FF three bytes") << units({ 0x07FF }) << "%E0%9F%BF";
    QTest::newRow("spaces around ah") << QStringLiteral(" 啊 ") << "%E5%95%8A";
    QTest::newRow("empty") << QString() << "";
    QTest::newRow("spaces only") << "   "
                                 << "";
    QTest::newRow("inner space") << "a b"
                                 << "a%20b";
    QTest::newRow("hyphen") << "A1-z"
                            << "A1%2Dz";
    QTest::newRow("e acute one byte") << units({ 0x00E9 }) << "%E9";
    QTest::newRow("U+00FF one byte") << units({ 0x00FF }) << "%FF";
    QTest::newRow("tab") << "\t"
                         << "%09";
    QTest::newRow("unreserved encoded") << "a-._~ b"
                                        << "a%2D%2E%5F%7E%20b";
    QTest::newRow("leading tab kept") << "\t a"
                                      << "%09%20a";
    QTest::newRow("trailing newline kept") << "a \n"
                                           << "a%20%0A";
    QTest::newRow("no-break space kept") << units({ 0x00A0, u'a' }) << "%A0a";
    QTest::newRow("nul") << units({ 0x0000 }) << "%00";
    QTest::newRow("percent") << "%"
                             << "%25";
    QTest::newRow("digits and letters") << "09AZaz"
                                        << "09AZaz";
    QTest::newRow("lone high surrogate") << units({ 0xD800 }) << "%ED%A0%80";
    QTest::newRow("lone low surrogate") << units({ 0xDFFF }) << "%ED%BF%BF";
    // U+1F600 is stored as D83D DE00
    QTest::newRow("non-BMP two groups") << QStringLiteral("😀") << "%ED%A0%BD%ED%B8%80";
}

void UrlEncodeTest::examples()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(UrlEncodeUtf8(text), encoded);
}

void UrlEncodeTest::longTextIsEncodedWhole()
{
    // beyond the 32,767 code units a 16-bit count could reach
    const QString text = QStringLiteral(" ") + QString(40000, QChar(0x554A)) + QStringLiteral("a ");
    const QString encoded = UrlEncodeUtf8(text);
    QCOMPARE(encoded.size(), 40000 * 9 + 1);
    QCOMPARE(encoded.count(QStringLiteral("%E5%95%8A")), 40000);
    QVERIFY(encoded.endsWith(QStringLiteral("%E5%95%8Aa")));
}

void UrlEncodeTest::agreesWithReference()
{
    const quint32 seed = qEnvironmentVariableIsSet("ZIBRIN_SEED")
        ? quint32(qEnvironmentVariableIntValue("ZIBRIN_SEED"))
        : QRandomGenerator::global()->generate();
    qInfo("seed %u (set ZIBRIN_SEED to repeat)", seed);
    QRandomGenerator random(seed);

    for (int round = 0; round < 4000; ++round) {
        QString text;
        const int length = random.bounded(0, 24);
        for (int i = 0; i < length; ++i)
            text += QChar(randomUnit(random));
        const QString expected = QString::fromStdString(referenceEncode(text));
        if (UrlEncodeUtf8(text) != expected)
            QFAIL(qPrintable(QStringLiteral("seed %1, round %2: %3 gives %4, expected %5")
                                 .arg(seed)
                                 .arg(round)
                                 .arg(codeUnitList(text), UrlEncodeUtf8(text), expected)));
    }
}

void UrlEncodeTest::agreesWithUtf8ForBmpCharacters()
{
    // From U+0800 up, outside the surrogates, the three-byte form is ordinary UTF-8.
    for (char32_t code = 0x800; code <= 0xFFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        const QString text = QChar(char16_t(code));
        const QString expected = QString::fromLatin1(QUrl::toPercentEncoding(text));
        if (UrlEncodeUtf8(text) != expected)
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0'))));
    }
}

QTEST_GUILESS_MAIN(UrlEncodeTest)
#include "tst_urlencode.moc"
