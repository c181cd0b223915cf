// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardtext.h"

#include "pinyinkey.h"

#include <QJsonArray>
#include <QUrl>

namespace card {

namespace {

const QString linkScheme = QStringLiteral("hz");
const QString separator = QStringLiteral(" · ");

QStringList pinyinOf(const Card &card)
{
    QStringList out;
    for (const Reading &reading : card.readings)
        out.append(reading.pinyin);
    return out;
}

// "一级", "二级", "三级"; "表外" for level 0.
QString levelName(int level)
{
    switch (level) {
    case 1:
        return QStringLiteral("一级");
    case 2:
        return QStringLiteral("二级");
    case 3:
        return QStringLiteral("三级");
    default:
        return QStringLiteral("表外");
    }
}

// 部首：宀（部首外 3 画） · 结构：上下 · 笔画：6 · 等级：一级
QString factsLine(const Card &card)
{
    QString radical = card.radical.isEmpty() ? QStringLiteral("未定") : card.radical;
    if (!card.radical.isEmpty() && card.strokesOutsideRadical >= 0)
        radical += QStringLiteral("（部首外 %1 画）").arg(card.strokesOutsideRadical);
    const QString structure = card.structure.isEmpty() ? QStringLiteral("未定") : card.structure;
    const QString strokes
        = card.strokes > 0 ? QString::number(card.strokes) : QStringLiteral("未知");
    return QStringLiteral("部首：") + radical + separator + QStringLiteral("结构：") + structure
        + separator + QStringLiteral("笔画：") + strokes + separator + QStringLiteral("等级：")
        + levelName(card.level);
}

// The Kangxi radical, where it is known and not the radical shown first.
QString kangxiLine(const Card &card)
{
    if (card.kangxiRadical.isEmpty() || card.kangxiRadical == card.radical)
        return {};
    return QStringLiteral("康熙部首：") + card.kangxiRadical;
}

QString strokeNamesLine(const Card &card)
{
    return QStringLiteral("笔顺：") + card.strokeNames.join(u' ');
}

// 發 send out；髮 hair — the form alone where it covers every sense.
QString traditionalText(const Card &card, bool escaped)
{
    QStringList forms;
    for (const Traditional &t : card.traditional) {
        const QString text = t.sense.isEmpty() ? t.form : t.form + u' ' + t.sense;
        forms.append(escaped ? text.toHtmlEscaped() : text);
    }
    return QStringLiteral("繁体：") + forms.join(QStringLiteral("；"));
}

QString linkedWord(const QString &word)
{
    QString out;
    for (const QString &character : textCharacters(word)) {
        QUrl link;
        link.setScheme(linkScheme);
        link.setPath(character);
        out += QStringLiteral("<a href=\"%1\">%2</a>")
                   .arg(QString::fromLatin1(link.toEncoded()), character.toHtmlEscaped());
    }
    return out;
}

} // namespace

QString plainText(const Card &card)
{
    QStringList lines { card.character + u' ' + pinyinOf(card).join(u' '), factsLine(card) };
    if (const QString kangxi = kangxiLine(card); !kangxi.isEmpty())
        lines.append(kangxi);
    if (!card.strokeNames.isEmpty())
        lines.append(strokeNamesLine(card));
    if (!card.traditional.isEmpty())
        lines.append(traditionalText(card, false));
    for (const Reading &reading : card.readings) {
        lines.append(QString());
        lines.append(reading.pinyin);
        if (!reading.words.isEmpty()) {
            QStringList words;
            for (const Word &word : reading.words)
                words.append(word.word + u' ' + word.pinyin);
            lines.append(QStringLiteral("  组词：") + words.join(QStringLiteral("，")));
        }
        if (!reading.meanings.isEmpty())
            lines.append(QStringLiteral("  释义：") + reading.meanings.join(QStringLiteral("; ")));
    }
    return lines.join(u'\n') + u'\n';
}

QJsonObject jsonObject(const Card &card)
{
    const auto textOrNull
        = [](const QString &text) { return text.isEmpty() ? QJsonValue() : QJsonValue(text); };
    QJsonArray readings;
    for (const Reading &reading : card.readings) {
        QJsonArray words;
        for (const Word &word : reading.words)
            words.append(QJsonObject {
                { QStringLiteral("word"), word.word }, { QStringLiteral("pinyin"), word.pinyin } });
        readings.append(QJsonObject { { QStringLiteral("pinyin"), reading.pinyin },
            { QStringLiteral("words"), words },
            { QStringLiteral("meanings"), QJsonArray::fromStringList(reading.meanings) } });
    }
    QJsonArray traditional;
    for (const Traditional &t : card.traditional)
        traditional.append(QJsonObject {
            { QStringLiteral("form"), t.form }, { QStringLiteral("sense"), t.sense } });
    return QJsonObject {
        { QStringLiteral("character"), card.character },
        { QStringLiteral("readings"), readings },
        { QStringLiteral("radical"), textOrNull(card.radical) },
        { QStringLiteral("kangxi_radical"), textOrNull(card.kangxiRadical) },
        { QStringLiteral("strokes"), card.strokes },
        { QStringLiteral("strokes_outside_radical"),
            card.strokesOutsideRadical >= 0 ? QJsonValue(card.strokesOutsideRadical)
                                            : QJsonValue() },
        { QStringLiteral("structure"), textOrNull(card.structure) },
        { QStringLiteral("stroke_names"), QJsonArray::fromStringList(card.strokeNames) },
        { QStringLiteral("traditional"), traditional },
        { QStringLiteral("level"), card.level > 0 ? QJsonValue(card.level) : QJsonValue() },
    };
}

QString html(const Card &card)
{
    QString out
        = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\"><tr>"
                         "<td style=\"font-size:54pt\">%1</td>"
                         "<td valign=\"middle\" style=\"padding-left:16px; "
                         "font-size:20pt\">%2</td></tr></table>")
              .arg(card.character.toHtmlEscaped(), pinyinOf(card).join(u' ').toHtmlEscaped());
    out += QStringLiteral("<p>") + factsLine(card).toHtmlEscaped();
    if (const QString kangxi = kangxiLine(card); !kangxi.isEmpty())
        out += QStringLiteral("<br>") + kangxi.toHtmlEscaped();
    if (!card.strokeNames.isEmpty())
        out += QStringLiteral("<br>") + strokeNamesLine(card).toHtmlEscaped();
    if (!card.traditional.isEmpty())
        out += QStringLiteral("<br>") + traditionalText(card, true);
    out += QStringLiteral("</p>");
    for (const Reading &reading : card.readings) {
        out += QStringLiteral(
            "<p style=\"margin-top:10px\"><span style=\"font-size:15pt\">%1</span>")
                   .arg(reading.pinyin.toHtmlEscaped());
        if (!reading.words.isEmpty()) {
            QStringList words;
            for (const Word &word : reading.words)
                words.append(linkedWord(word.word) + QStringLiteral(" <span style=\"color:#555\">")
                    + word.pinyin.toHtmlEscaped() + QStringLiteral("</span>"));
            out += QStringLiteral("<br>组词：") + words.join(QStringLiteral("，"));
        }
        if (!reading.meanings.isEmpty())
            out += QStringLiteral("<br>释义：")
                + reading.meanings.join(QStringLiteral("; ")).toHtmlEscaped();
        out += QStringLiteral("</p>");
    }
    return out;
}

QString linkedCharacter(const QUrl &link)
{
    if (link.scheme() != linkScheme)
        return {};
    const QString character = link.path();
    return textCharacters(character).size() == 1 ? character : QString();
}

QString panelPinyin(
    const QStringList &readings, const QString &storedReading, const QString &searchedSyllable)
{
    if (readings.isEmpty())
        return storedReading;
    const QString searched = tablePinyin(searchedSyllable.trimmed());
    QStringList first;
    QStringList rest;
    for (const QString &reading : readings)
        (!searched.isEmpty() && tablePinyin(reading) == searched ? first : rest).append(reading);
    return (first + rest).join(u' ');
}

QStringList textCharacters(const QString &text)
{
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length
            = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
            ? 2
            : 1;
        out.append(text.mid(i, length));
        i += length - 1;
    }
    return out;
}

} // namespace card
