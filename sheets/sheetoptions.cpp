// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetoptions.h"

#include "outputfile.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace sheets {

namespace {

using Kind = SheetOption::Kind;

// Accessors for the table: a member of the practice sheet's options, and of both sheets'.
template<auto Member> QVariant practice(const SheetSettings &s)
{
    if constexpr (std::is_enum_v<std::remove_cvref_t<decltype(s.practice.*Member)>>)
        return int(s.practice.*Member);
    else
        return s.practice.*Member;
}
template<auto Member> void setPractice(SheetSettings &s, const QVariant &v)
{
    using T = std::remove_cvref_t<decltype(s.practice.*Member)>;
    if constexpr (std::is_enum_v<T>)
        s.practice.*Member = T(v.toInt());
    else
        s.practice.*Member = v.value<T>();
}
template<auto PracticeMember, auto DictationMember>
void setBoth(SheetSettings &s, const QVariant &v)
{
    setPractice<PracticeMember>(s, v);
    using T = std::remove_cvref_t<decltype(s.dictation.*DictationMember)>;
    if constexpr (std::is_enum_v<T>)
        s.dictation.*DictationMember = T(v.toInt());
    else
        s.dictation.*DictationMember = v.value<T>();
}

const SheetOption table[] = {
    { Kind::Choice, "grid", "tian|mi|square", QStringLiteral("格子"),
        QStringLiteral("田字格、米字格或方格 / the grid"), SheetKinds::Both, 0, 0,
        { QStringLiteral("tian"), QStringLiteral("mi"), QStringLiteral("square") },
        { QStringLiteral("田字格"), QStringLiteral("米字格"), QStringLiteral("方格") },
        practice<&SheetOptions::grid>, setBoth<&SheetOptions::grid, &DictationOptions::grid> },
    { Kind::Number, "cell", "mm", QStringLiteral("格子大小"),
        QStringLiteral("格子大小 / cell size in millimetres"), SheetKinds::Both, minCellMm,
        maxCellMm, {}, {}, practice<&SheetOptions::cellMm>,
        setBoth<&SheetOptions::cellMm, &DictationOptions::cellMm> },
    { Kind::Number, "tracing", "n", QStringLiteral("描红个数"),
        QStringLiteral("描红的个数 / copies to trace"), SheetKinds::Practice, 0, maxTracing, {}, {},
        practice<&SheetOptions::tracing>, setPractice<&SheetOptions::tracing> },
    { Kind::Choice, "tracing-colour", "grey|red", QStringLiteral("描红颜色"),
        QStringLiteral("描红的颜色 / colour of the copies to trace"), SheetKinds::Practice, 0, 0,
        { QStringLiteral("grey|gray"), QStringLiteral("red") },
        { QStringLiteral("浅灰"), QStringLiteral("浅红") }, practice<&SheetOptions::tracingColour>,
        setPractice<&SheetOptions::tracingColour> },
    { Kind::Number, "rows", "n", QStringLiteral("空行"),
        QStringLiteral("每字后的空行 / empty rows after each character"), SheetKinds::Practice, 0,
        maxExtraRows, {}, {}, practice<&SheetOptions::extraRows>,
        setPractice<&SheetOptions::extraRows> },
    { Kind::On, "no-pinyin", "", QStringLiteral("注拼音"),
        QStringLiteral("不注拼音 / no pinyin above the characters."), SheetKinds::Practice, 0, 0,
        {}, {}, practice<&SheetOptions::pinyin>, setPractice<&SheetOptions::pinyin> },
    { Kind::On, "no-model", "", QStringLiteral("第一格印范字"),
        QStringLiteral("不印范字 / no model character in black in the first cell."),
        SheetKinds::Practice, 0, 0, {}, {}, practice<&SheetOptions::model>,
        setPractice<&SheetOptions::model> },
    { Kind::On, "no-stroke-names", "", QStringLiteral("笔画名称"),
        QStringLiteral("不印笔画名称 / no stroke names under the stroke-order cells."),
        SheetKinds::Practice, 0, 0, {}, {}, practice<&SheetOptions::strokeNames>,
        setPractice<&SheetOptions::strokeNames> },
    { Kind::On, "no-info", "", QStringLiteral("部首、结构、笔画和组词"),
        QStringLiteral("不印部首、结构、笔画和组词 / no radical, structure, strokes and words."),
        SheetKinds::Practice, 0, 0, {}, {}, practice<&SheetOptions::info>,
        setPractice<&SheetOptions::info> },
    { Kind::Number, "words", "n", QStringLiteral("组词个数"),
        QStringLiteral("组词的个数 / words with each character"), SheetKinds::Practice, 0, maxWords,
        {}, {}, practice<&SheetOptions::words>, setPractice<&SheetOptions::words> },
    { Kind::Off, "keep-repeats", "", QStringLiteral("保留重复的字"),
        QStringLiteral("保留重复的字 / a character typed twice is drilled twice."),
        SheetKinds::Practice, 0, 0, {}, {}, practice<&SheetOptions::keepRepeats>,
        setPractice<&SheetOptions::keepRepeats> },
    { Kind::Off, "answers", "", QStringLiteral("最后一页印答案"),
        QStringLiteral("看拼音写词语：最后一页印答案 / dictation sheet: an answer page last."),
        SheetKinds::Dictation, 0, 0, {}, {},
        [](const SheetSettings &s) { return QVariant(s.dictation.answers); },
        [](SheetSettings &s, const QVariant &v) { s.dictation.answers = v.toBool(); } },
    { Kind::Off, "words-from-card", "", QStringLiteral("用字卡的第一个词"),
        QStringLiteral("看拼音写词语：每个字取字卡上的第一个词 / dictation sheet: the first word "
                       "on each character's card instead of the words typed."),
        SheetKinds::Dictation, 0, 0, {}, {},
        [](const SheetSettings &s) { return QVariant(s.wordsFromCard); },
        [](SheetSettings &s, const QVariant &v) { s.wordsFromCard = v.toBool(); } },
    { Kind::Text, "title", "text", QStringLiteral("标题"),
        QStringLiteral("标题 / the title (empty for none)"), SheetKinds::Both, 0, maxTitleLength,
        {}, {}, practice<&SheetOptions::title>,
        setBoth<&SheetOptions::title, &DictationOptions::title>,
        [](const SheetSettings &s) { return QVariant(s.dictation.title); } },
    { Kind::On, "no-class-field", "", QStringLiteral("班级栏"),
        QStringLiteral("不印班级栏 / no 班级 field in the header."), SheetKinds::Both, 0, 0, {}, {},
        practice<&SheetOptions::classField>,
        setBoth<&SheetOptions::classField, &DictationOptions::classField> },
    { Kind::Choice, "paper", "A4|A5|Letter", QStringLiteral("纸张"),
        QStringLiteral("纸张 / the paper"), SheetKinds::Both, 0, 0,
        { QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter") },
        { QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter") },
        practice<&SheetOptions::paper>, setBoth<&SheetOptions::paper, &DictationOptions::paper> },
    { Kind::Off, "landscape", "", QStringLiteral("横向"), QStringLiteral("横向 / landscape."),
        SheetKinds::Both, 0, 0, {}, {}, practice<&SheetOptions::landscape>,
        setBoth<&SheetOptions::landscape, &DictationOptions::landscape> },
};

// "a, b or c"
QString alternatives(const QStringList &names)
{
    if (names.size() < 2)
        return names.value(0);
    return names.first(names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ")
        + names.last();
}

} // namespace

std::span<const SheetOption> sheetOptionTable()
{
    return table;
}

const SheetOption &sheetOption(const char *name)
{
    const auto found = std::find_if(std::begin(table), std::end(table),
        [name](const SheetOption &option) { return std::strcmp(option.name, name) == 0; });
    Q_ASSERT(found != std::end(table));
    return *found;
}

QString SheetOption::helpText() const
{
    const SheetSettings defaults;
    switch (kind) {
    case Kind::Number:
        return QStringLiteral("%1, %2-%3 (default %4).")
            .arg(help)
            .arg(low)
            .arg(high)
            .arg(get(defaults).toInt());
    case Kind::Choice:
        return QStringLiteral("%1 (default %2).").arg(help, choiceName(get(defaults).toInt()));
    case Kind::Text: {
        QString value = get(defaults).toString();
        if (getDictation && getDictation(defaults).toString() != value)
            value += QStringLiteral(" / ") + getDictation(defaults).toString();
        return QStringLiteral("%1, up to %2 characters (default %3).")
            .arg(help)
            .arg(high)
            .arg(value);
    }
    case Kind::On:
    case Kind::Off:
        break;
    }
    return help;
}

QVariant SheetOption::read(const QString &text, QString *error) const
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return QVariant();
    };
    switch (kind) {
    case Kind::On:
        return false;
    case Kind::Off:
        return true;
    case Kind::Number: {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok || value < low || value > high)
            return fail(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                            .arg(QLatin1String(name))
                            .arg(low)
                            .arg(high)
                            .arg(visibleText(text)));
        return value;
    }
    case Kind::Choice: {
        QStringList names;
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QStringList spellings = values.at(i).split(u'|');
            if (spellings.contains(text, Qt::CaseInsensitive))
                return int(i);
            names.append(spellings.constFirst());
        }
        return fail(QStringLiteral("--%1 must be %2, not \"%3\"")
                        .arg(QLatin1String(name), alternatives(names), visibleText(text)));
    }
    case Kind::Text:
        if (text.size() > high)
            return fail(QStringLiteral("--%1 takes at most %2 characters")
                            .arg(QLatin1String(name))
                            .arg(high));
        return text;
    }
    return QVariant();
}

} // namespace sheets
