// SPDX-License-Identifier: GPL-3.0-or-later
#include "radicalfiling.h"

#include <QFile>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <array>

namespace radicals {

namespace {

// Kangxi radical numbers that kRSUnicode marks with ' (the simplified form of the radical), with
// that form as a unified ideograph (as CJKRadicals.txt of the Unicode data lists them).
const QHash<QString, QString> &simplifiedKangxiForms()
{
    static const QHash<QString, QString> forms = {
        { QStringLiteral("90'"), QStringLiteral("丬") },
        { QStringLiteral("120'"), QStringLiteral("纟") },
        { QStringLiteral("147'"), QStringLiteral("见") },
        { QStringLiteral("149'"), QStringLiteral("讠") },
        { QStringLiteral("154'"), QStringLiteral("贝") },
        { QStringLiteral("159'"), QStringLiteral("车") },
        { QStringLiteral("162'"), QStringLiteral("辶") },
        { QStringLiteral("167'"), QStringLiteral("钅") },
        { QStringLiteral("168'"), QStringLiteral("长") },
        { QStringLiteral("169'"), QStringLiteral("门") },
        { QStringLiteral("178'"), QStringLiteral("韦") },
        { QStringLiteral("181'"), QStringLiteral("页") },
        { QStringLiteral("182'"), QStringLiteral("风") },
        { QStringLiteral("183'"), QStringLiteral("飞") },
        { QStringLiteral("184'"), QStringLiteral("饣") },
        { QStringLiteral("187'"), QStringLiteral("马") },
        { QStringLiteral("195'"), QStringLiteral("鱼") },
        { QStringLiteral("196'"), QStringLiteral("鸟") },
        { QStringLiteral("197'"), QStringLiteral("卤") },
        { QStringLiteral("199'"), QStringLiteral("麦") },
        { QStringLiteral("201'"), QStringLiteral("黄") },
        { QStringLiteral("205'"), QStringLiteral("黾") },
        { QStringLiteral("210'"), QStringLiteral("齐") },
        { QStringLiteral("211'"), QStringLiteral("齿") },
        { QStringLiteral("212'"), QStringLiteral("龙") },
        { QStringLiteral("213'"), QStringLiteral("龟") },
    };
    return forms;
}

// The radical of a kRSUnicode value such as "39.3" or "167'.5": the Kangxi radical as a unified
// ideograph (the compatibility form of the Kangxi Radicals block), or its simplified form.
QString kangxiRadicalOf(const QString &value)
{
    const QString number = value.section(u'.', 0, 0);
    if (number.endsWith(u'\''))
        return simplifiedKangxiForms().value(number);
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n < 1 || n > 214)
        return {};
    return QString(QChar(char16_t(0x2F00 + n - 1))).normalized(QString::NormalizationForm_KC);
}

bool isStroke(const QString &component)
{
    return component.size() == 1 && component.at(0).unicode() >= 0x31C0
        && component.at(0).unicode() <= 0x31EF;
}

// A component of one stroke, written as a stroke or as a character.
bool isOneStroke(const QString &component)
{
    static const QSet<QString> strokes = { QStringLiteral("一"), QStringLiteral("丨"),
        QStringLiteral("丿"), QStringLiteral("丶"), QStringLiteral("乙"), QStringLiteral("乚"),
        QStringLiteral("乛"), QStringLiteral("亅"), QStringLiteral("𠃊"), QStringLiteral("𠃋"),
        QStringLiteral("𠃌"), QStringLiteral("𠃍"), QStringLiteral("⺄") };
    return isStroke(component) || strokes.contains(component);
}

bool isNumber(const QString &component)
{
    return !component.isEmpty()
        && std::all_of(component.begin(), component.end(), [](QChar c) { return c.isDigit(); });
}

QString baseType(const QString &type)
{
    return type.section(u'/', 0, 0);
}

// A component written as a form of one other: narrowed, shifted (m...), mirrored (ref..., rref...)
// or turned (rot..., rrot...).
bool isFormOfOne(const Decomposition &d)
{
    const QString base = baseType(d.type);
    return d.components.size() == 1
        && (base.startsWith(u'm') || base.startsWith(u"ref") || base.startsWith(u"rref")
            || base.startsWith(u"rot") || base.startsWith(u"rrot"));
}

// Components that share strokes (/m) or overlap (/o): no component holds a whole position.
bool isMeshed(const QString &type)
{
    const QString modifier = type.section(u'/', 1);
    return modifier == u"m" || modifier == u"o";
}

// Where the radical is looked for: "across" (left, then right), "down" (top, then bottom),
// "surround" (outside, then inside), "repeat" (the repeated component); empty for the rest.
QString positionKind(const QString &type)
{
    if (isMeshed(type))
        return {};
    const QString base = baseType(type);
    static const QSet<QString> across
        = { QStringLiteral("a"), QStringLiteral("ra"), QStringLiteral("r3a") };
    static const QSet<QString> down
        = { QStringLiteral("d"), QStringLiteral("rd"), QStringLiteral("r3d") };
    static const QSet<QString> surround = { QStringLiteral("s"), QStringLiteral("st"),
        QStringLiteral("sb"), QStringLiteral("sl"), QStringLiteral("sr"), QStringLiteral("stl"),
        QStringLiteral("str"), QStringLiteral("sbl"), QStringLiteral("sbr") };
    if (across.contains(base))
        return QStringLiteral("across");
    if (down.contains(base))
        return QStringLiteral("down");
    if (surround.contains(base))
        return QStringLiteral("surround");
    if (base == u"r3tr" || base == u"r4sq")
        return QStringLiteral("repeat");
    return {};
}

QString readText(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QStringList dataLines(const QString &text)
{
    QStringList out;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            out.append(line);
    }
    return out;
}

} // namespace

QHash<QString, Decomposition> parseDecomposition(const QString &text)
{
    QString body = text;
    const qsizetype open = body.indexOf(u'`');
    const qsizetype close = body.lastIndexOf(u'`');
    if (open >= 0 && close > open)
        body = body.mid(open + 1, close - open - 1);
    QHash<QString, Decomposition> out;
    for (const QString &line : dataLines(body)) {
        const qsizetype colon = line.indexOf(u':', 1);
        const qsizetype paren = line.indexOf(u'(', colon);
        if (colon < 0 || paren < 0 || !line.endsWith(u')'))
            continue;
        const QString key = line.left(colon);
        if (out.contains(key))
            continue;
        Decomposition d;
        d.type = line.mid(colon + 1, paren - colon - 1);
        const QString inside = line.mid(paren + 1, line.size() - paren - 2);
        if (!inside.isEmpty())
            d.components = inside.split(u',');
        out.insert(key, d);
    }
    return out;
}

QString structureOf(const Decomposition &decomposition)
{
    const QStringList &parts = decomposition.components;
    const QString base = baseType(decomposition.type);
    if (parts.isEmpty())
        return QStringLiteral("独体");
    if (isMeshed(decomposition.type))
        return QStringLiteral("独体");
    static const QHash<QString, QString> surrounds = {
        { QStringLiteral("s"), QStringLiteral("全包围") },
        { QStringLiteral("st"), QStringLiteral("半包围(上三)") },
        { QStringLiteral("sb"), QStringLiteral("半包围(下三)") },
        { QStringLiteral("sl"), QStringLiteral("半包围(左三)") },
        { QStringLiteral("sr"), QStringLiteral("半包围(右三)") },
        { QStringLiteral("stl"), QStringLiteral("半包围(左上)") },
        { QStringLiteral("str"), QStringLiteral("半包围(右上)") },
        { QStringLiteral("sbl"), QStringLiteral("半包围(左下)") },
        { QStringLiteral("sbr"), QStringLiteral("半包围(右下)") },
    };
    if (surrounds.contains(base))
        return surrounds.value(base);
    const bool hasStroke = std::any_of(parts.begin(), parts.end(), isStroke);
    // A stroke beside a part (冂) or one above or below a part (王, 千, 旦) leaves one piece; a
    // 乚 beside a part (孔) does not.
    if (base == u"a" || base == u"d") {
        if (hasStroke || (base == u"d" && std::any_of(parts.begin(), parts.end(), isOneStroke)))
            return QStringLiteral("独体");
        if (base == u"a")
            return parts.size() >= 3 ? QStringLiteral("左中右") : QStringLiteral("左右");
        return parts.size() >= 3 ? QStringLiteral("上中下") : QStringLiteral("上下");
    }
    static const QHash<QString, QString> repeats = {
        { QStringLiteral("ra"), QStringLiteral("左右") },
        { QStringLiteral("r3a"), QStringLiteral("左中右") },
        { QStringLiteral("rd"), QStringLiteral("上下") },
        { QStringLiteral("r3d"), QStringLiteral("上中下") },
        { QStringLiteral("r3tr"), QStringLiteral("品字形") },
    };
    if (repeats.contains(base))
        return std::any_of(parts.begin(), parts.end(), isOneStroke) ? QStringLiteral("独体")
                                                                    : repeats.value(base);
    // Interlocked (lock), one component within another (w...), built from strokes, or one
    // component modified, mirrored or turned: a character of one piece.
    static const QSet<QString> onePiece
        = { QStringLiteral("lock"), QStringLiteral("built"), QStringLiteral("c") };
    if (onePiece.contains(base) || base.startsWith(u'w') || base.startsWith(u'm')
        || base.startsWith(u"ref") || base.startsWith(u"rref") || base.startsWith(u"rot")
        || base.startsWith(u"rrot"))
        return base == u"wa" || base == u"wd" ? QString() : QStringLiteral("独体");
    return {};
}

bool Filer::load(const QString &radicalTable, const QString &decomposition,
    const QString &unihanIrgSources, const QString &corrections,
    const QHash<QString, int> &strokeCounts, QString *error)
{
    QString texts[4];
    const QString paths[4] = { radicalTable, decomposition, unihanIrgSources, corrections };
    for (int i = 0; i < 4; ++i) {
        QString readError;
        texts[i] = readText(paths[i], &readError);
        if (!readError.isEmpty()) {
            if (error)
                *error = readError;
            return false;
        }
    }
    return loadTexts(texts[0], texts[1], texts[2], texts[3], strokeCounts, error);
}

bool Filer::loadTexts(const QString &radicalTable, const QString &decomposition,
    const QString &unihanIrgSources, const QString &correctionText,
    const QHash<QString, int> &strokeCounts, QString *error)
{
    auto failWith = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    mainOrder.clear();
    forms.clear();
    attached.clear();
    aliases.clear();
    kangxi.clear();
    corrections.clear();

    for (const QString &line : dataLines(radicalTable)) {
        const QStringList f = line.split(u'\t');
        bool numberOk = false;
        bool strokesOk = false;
        f.value(0).toInt(&numberOk);
        const int strokes = f.value(2).toInt(&strokesOk);
        if (f.size() < 4 || !numberOk || !strokesOk || strokes <= 0 || f.at(1).isEmpty())
            return failWith(QStringLiteral("部首表的这一行看不懂：%1").arg(line));
        const QString form = f.at(1);
        const QString main = f.at(3);
        if (main.isEmpty()) {
            if (forms.contains(form) && forms.value(form).main.isEmpty())
                return failWith(QStringLiteral("部首表里 %1 出现两次").arg(form));
            mainOrder.append(form);
        } else {
            if (!forms.contains(main) || !forms.value(main).main.isEmpty())
                return failWith(
                    QStringLiteral("部首表里附形 %1 的主部首 %2 不在它前面").arg(form, main));
            attached[main].append(form);
        }
        if (!forms.contains(form))
            forms.insert(form, Form { main, strokes });
        for (const QString &alias : f.value(4).split(u' ', Qt::SkipEmptyParts))
            aliases.insert(alias, form);
    }
    if (mainOrder.isEmpty())
        return failWith(QStringLiteral("部首表是空的"));

    decompositions = parseDecomposition(decomposition);
    if (decompositions.isEmpty())
        return failWith(QStringLiteral("拆分数据是空的"));

    for (const QString &line : dataLines(unihanIrgSources)) {
        const QStringList f = line.split(u'\t');
        if (f.size() < 3 || f.at(1) != u"kRSUnicode" || !f.at(0).startsWith(u"U+"))
            continue;
        bool ok = false;
        const char32_t code = f.at(0).mid(2).toUInt(&ok, 16);
        const QString radical = kangxiRadicalOf(f.at(2).section(u' ', 0, 0));
        if (ok && !radical.isEmpty())
            kangxi.insert(QString::fromUcs4(&code, 1), radical);
    }

    for (const QString &line : dataLines(correctionText)) {
        const QStringList f = line.split(u'\t');
        if (f.size() < 4 || f.at(0).isEmpty() || f.at(3).trimmed().isEmpty()
            || (f.at(1) != u"radical" && f.at(1) != u"structure"))
            return failWith(
                QStringLiteral("校正表的这一行看不懂（字、radical 或 structure、值、理由）：%1")
                    .arg(line));
        const QString value = f.at(2) == u"-" ? QString() : f.at(2);
        if (f.at(1) == u"radical" && !value.isEmpty() && !forms.contains(value))
            return failWith(
                QStringLiteral("校正表里 %1 的部首 %2 不在部首表里").arg(f.at(0), value));
        Correction &c = corrections[f.at(0)];
        if (f.at(1) == u"radical")
            c.radical = value.isEmpty() ? QStringLiteral("-") : value;
        else
            c.structure = value.isEmpty() ? QStringLiteral("-") : value;
        c.reason = f.at(3).trimmed();
    }
    totalStrokes = strokeCounts;
    return true;
}

const Decomposition *Filer::decompositionOf(const QString &key) const
{
    const auto it = decompositions.constFind(key);
    return it == decompositions.constEnd() ? nullptr : &it.value();
}

QString Filer::tableForm(const QString &component) const
{
    if (forms.contains(component))
        return component;
    return aliases.value(component);
}

// The table form at one side of a component: the component itself, else, while the component is
// put together in the same direction, the component at the same side inside it.
QString Filer::positionRadical(
    const QString &component, const QString &kind, bool first, QString *via) const
{
    QString current = component;
    for (int depth = 0; depth < 8; ++depth) {
        const QString form = tableForm(current);
        // a stroke found inside a part is a stroke of that part, not a part of the character
        if (!form.isEmpty())
            return depth > 0 && isOneStroke(mainRadical(form)) ? QString() : form;
        if (kind == u"repeat" || (kind == u"surround" && !first))
            return {};
        // the outside of an outside is the character's outside too
        const Decomposition *d = decompositionOf(current);
        // 亻 with a stroke at its right (the left of 修) is still the left
        const bool besideRight = d && kind == u"across" && first && d->type == u"wr";
        if (!d || d->components.isEmpty() || (positionKind(d->type) != kind && !besideRight))
            return {};
        current = first ? d->components.first() : d->components.last();
        if (via)
            *via = component;
    }
    return {};
}

void Filer::collectParts(const QString &component, QStringList &parts, QStringList &seen) const
{
    if (seen.contains(component) || seen.size() > 200)
        return;
    seen.append(component);
    const Decomposition *d = decompositionOf(component);
    // A form of one other component (written narrow, mirrored, ...) does not contain it.
    if (!d || isFormOfOne(*d))
        return;
    for (const QString &part : d->components) {
        if (!isNumber(part) && !isStroke(part)) {
            if (!parts.contains(part))
                parts.append(part);
            const QString form = tableForm(part);
            if (!form.isEmpty() && !parts.contains(form))
                parts.append(form);
        }
        collectParts(part, parts, seen);
    }
}

Filing Filer::file(const QString &character) const
{
    Filing f;
    f.kangxiRadical = kangxi.value(character);
    const Decomposition *d = decompositionOf(character);
    if (d) {
        f.structure = structureOf(*d);
        // An outside without a code point that surrounds nothing itself is a piece of one
        // drawing (鸟 is 鸟 without its last stroke around that stroke).
        // 湖 is 氵 beside 胡, itself 古 beside 月: three parts across. A part that is a radical
        // stays one part.
        if (f.structure == u"左右" && d->components.size() == 2) {
            qsizetype across = 0;
            for (const QString &part : d->components) {
                const Decomposition *inner = decompositionOf(part);
                const bool split = inner && tableForm(part).isEmpty()
                    && (inner->type == u"a" || inner->type == u"ra")
                    && std::none_of(
                        inner->components.begin(), inner->components.end(), isOneStroke);
                across += split ? std::max<qsizetype>(2, inner->components.size()) : 1;
            }
            if (across >= 3)
                f.structure = QStringLiteral("左中右");
        }
        if (f.structure.startsWith(u'半') || f.structure.startsWith(u'全')) {
            const Decomposition *outside = decompositionOf(d->components.first());
            if (isNumber(d->components.first())
                && (!outside || positionKind(outside->type) != u"surround"))
                f.structure = QStringLiteral("独体");
        }
    }
    QStringList seen;
    collectParts(character, f.parts, seen);
    f.parts.removeAll(character);

    const Correction correction = corrections.value(character);
    if (!correction.structure.isEmpty())
        f.structure = correction.structure == u"-" ? QString() : correction.structure;

    const QString self = tableForm(character);
    if (!self.isEmpty()) {
        f.radical = self;
        f.note = QStringLiteral("本身是部首");
    } else if (!correction.radical.isEmpty()) {
        f.radical = correction.radical == u"-" ? QString() : correction.radical;
        f.note = QStringLiteral("校正：") + correction.reason;
    } else if (!d || d->components.isEmpty()) {
        f.note = QStringLiteral("拆分数据里没有它的部件");
    } else if (const QString kind = positionKind(d->type); !kind.isEmpty()) {
        static const QHash<QString, QStringList> sides = {
            { QStringLiteral("across"), { QStringLiteral("左"), QStringLiteral("右") } },
            { QStringLiteral("down"), { QStringLiteral("上"), QStringLiteral("下") } },
            { QStringLiteral("surround"), { QStringLiteral("外"), QStringLiteral("内") } },
            { QStringLiteral("repeat"), { QStringLiteral("重复的部件"), QString() } },
        };
        const QStringList side = sides.value(kind);
        QString via;
        f.radical = positionRadical(d->components.first(), kind, true, &via);
        if (!f.radical.isEmpty()) {
            f.note = QStringLiteral("取%1").arg(side.at(0))
                + (via.isEmpty() ? QString() : QStringLiteral("（%1的%2）").arg(via, side.at(0)));
        } else if (kind != u"repeat") {
            via.clear();
            f.radical = positionRadical(d->components.last(), kind, false, &via);
            if (!f.radical.isEmpty())
                f.note = QStringLiteral("%1不是部首，取%2").arg(side.at(0), side.at(1))
                    + (via.isEmpty() ? QString()
                                     : QStringLiteral("（%1的%2）").arg(via, side.at(1)));
        }
        if (f.radical.isEmpty())
            f.note = QStringLiteral("%1两边都不是部首（%2）").arg(side.join(QString()), d->type);
    } else {
        // Components that mesh or interlock hold no whole position; the Kangxi radical decides
        // when it is one of them.
        const QString kangxiForm = tableForm(f.kangxiRadical);
        for (const QString &part : d->components) {
            const QString form = tableForm(part);
            if (!form.isEmpty() && !kangxiForm.isEmpty()
                && mainRadical(form) == mainRadical(kangxiForm)) {
                f.radical = form;
                f.note = QStringLiteral("部件交叠（%1），取康熙部首所在的部件").arg(d->type);
                break;
            }
        }
        if (f.radical.isEmpty())
            f.note = QStringLiteral("部件交叠（%1），没有规则可定").arg(d->type);
    }
    // the same radical in another form is no other radical (湖: 氵, not 水)
    if (!f.radical.isEmpty() && sameRadical(f.radical, f.kangxiRadical))
        f.kangxiRadical = f.radical;
    const int total = totalStrokes.value(character, -1);
    const int radical = radicalStrokes(f.radical);
    if (total > 0 && radical > 0 && total >= radical)
        f.strokesOutside = total - radical;
    return f;
}

QStringList Filer::radicals() const
{
    return mainOrder;
}

QStringList Filer::attachedForms(const QString &radical) const
{
    return attached.value(radical);
}

int Filer::radicalStrokes(const QString &radical) const
{
    const auto it = forms.constFind(radical);
    return it == forms.constEnd() ? -1 : it->strokes;
}

bool Filer::sameRadical(const QString &a, const QString &b) const
{
    const QString formA = tableForm(a);
    const QString formB = tableForm(b);
    if (formA.isEmpty() || formB.isEmpty())
        return a == b;
    const QString mainA = mainRadical(formA);
    const QString mainB = mainRadical(formB);
    return mainA == mainB || attached.value(mainA).contains(formB)
        || attached.value(mainB).contains(formA);
}

QString Filer::mainRadical(const QString &form) const
{
    const auto it = forms.constFind(form);
    if (it == forms.constEnd())
        return {};
    return it->main.isEmpty() ? form : it->main;
}

QHash<QString, SecondOpinion> parseSecondOpinion(const QByteArray &text)
{
    QHash<QString, SecondOpinion> out;
    for (const QString &line : dataLines(QString::fromUtf8(text))) {
        const QStringList f = line.split(u'\t');
        if (f.size() >= 2 && !f.at(0).isEmpty())
            out.insert(f.at(0), SecondOpinion { f.at(1), f.value(2) });
    }
    return out;
}

QString checkReport(const Filer &filer, const QStringList &characters,
    const QHash<QString, SecondOpinion> &secondOpinion)
{
    int filed = 0;
    int undecided = 0;
    int compared = 0;
    int agree = 0;
    int kangxiCompared = 0;
    int kangxiSame = 0;
    int structures = 0;
    int structuresCompared = 0;
    int structuresAgree = 0;
    QStringList disagreements;
    QStringList undecidedList;
    QStringList structureDisagreements;
    // per rule (the note without its particulars): filed, compared, agreeing
    QMap<QString, std::array<int, 3>> rules;
    // 牛 and 牜, 阝 and 阜 are one radical
    auto same = [&filer](const QString &a, const QString &b) { return filer.sameRadical(a, b); };
    for (const QString &c : characters) {
        const Filing f = filer.file(c);
        if (!f.structure.isEmpty())
            ++structures;
        if (f.radical.isEmpty()) {
            ++undecided;
            undecidedList.append(QStringLiteral("%1\t%2").arg(c, f.note));
        } else {
            ++filed;
            if (!f.kangxiRadical.isEmpty()) {
                ++kangxiCompared;
                if (same(f.radical, f.kangxiRadical))
                    ++kangxiSame;
            }
        }
        const QString rule = f.note.section(u'（', 0, 0).section(u'：', 0, 0);
        if (!f.radical.isEmpty())
            ++rules[rule][0];
        const auto other = secondOpinion.constFind(c);
        if (other == secondOpinion.constEnd())
            continue;
        if (!f.radical.isEmpty() && !other->radical.isEmpty()) {
            ++compared;
            ++rules[rule][1];
            if (same(f.radical, other->radical)) {
                ++agree;
                ++rules[rule][2];
            } else {
                disagreements.append(
                    QStringLiteral("%1\t%2\t%3\t康熙 %4\t%5")
                        .arg(c, f.radical, other->radical, f.kangxiRadical, f.note));
            }
        }
        if (!f.structure.isEmpty() && !other->structure.isEmpty()) {
            ++structuresCompared;
            QString theirs = other->structure;
            theirs.remove(QStringLiteral("结构"));
            const QString ours = f.structure.section(u'(', 0, 0);
            if (ours == theirs || (ours == u"品字形" && theirs == u"品字"))
                ++structuresAgree;
            else
                structureDisagreements.append(
                    QStringLiteral("%1\t%2\t%3").arg(c, f.structure, other->structure));
        }
    }
    QString out;
    out += QStringLiteral(
        "# The radical filing checked against cnchar-radical and the Kangxi radical\n");
    const int mains = int(filer.radicals().size());
    out += QStringLiteral("main radicals in the table: %1%2\n")
               .arg(mains)
               .arg(mains == 201 ? QString() : QStringLiteral(" (the table has 201)"));
    out += QStringLiteral("characters: %1\nfiled: %2\nundecided: %3\n")
               .arg(characters.size())
               .arg(filed)
               .arg(undecided);
    out += QStringLiteral("compared with cnchar-radical: %1\nagree: %2\ndisagree: %3\n")
               .arg(compared)
               .arg(agree)
               .arg(compared - agree);
    out += QStringLiteral("filed under the Kangxi radical (or its form): %1 of %2\n")
               .arg(kangxiSame)
               .arg(kangxiCompared);
    out += QStringLiteral(
        "with a structure: %1\nstructure compared with cnchar-radical: %2\nstructure agrees: %3\n")
               .arg(structures)
               .arg(structuresCompared)
               .arg(structuresAgree);
    out += QStringLiteral("\n## By rule (rule, filed, compared with cnchar-radical, agree)\n");
    for (auto it = rules.cbegin(); it != rules.cend(); ++it)
        out += QStringLiteral("%1\t%2\t%3\t%4\n")
                   .arg(it.key())
                   .arg(it.value()[0])
                   .arg(it.value()[1])
                   .arg(it.value()[2]);
    out += QStringLiteral(
        "\n## Radical disagreements (character, filed, cnchar-radical, Kangxi, rule)\n");
    for (const QString &line : disagreements)
        out += line + u'\n';
    out += QStringLiteral("\n## Undecided (character, why)\n");
    for (const QString &line : undecidedList)
        out += line + u'\n';
    out += QStringLiteral("\n## Structure disagreements (character, ours, cnchar-radical)\n");
    for (const QString &line : structureDisagreements)
        out += line + u'\n';
    return out;
}

} // namespace radicals
