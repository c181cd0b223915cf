// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkeyrun.h"

#include "caretrules.h"
#include "form1.h"
#include "handwritinginput.h"
#include "handwritingpad.h"
#include "pinyininitials.h"
#include "programfolder.h"
#include "segments.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTextStream>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>

namespace monkey {

namespace {

// What the searches must list, read straight from the rows of the built-in tables: for a stroke
// code, and for a pinyin segment and key, every row character of that field in row order, each
// followed by a space.
class TableOracle {
public:
    TableOracle()
    {
        for (int s = 0; s < tables::segmentCount; ++s) {
            const auto segment = tables::Segment(s);
            const bool strokes = s < 5;
            for (const QString &row : tables::segmentText(segment).split(QStringLiteral("\r\n"))) {
                if (row.size() != (strokes ? 6 : 7) || row.at(0) == u' ')
                    continue;
                if (strokes) {
                    m_strokeLists[row.mid(1)] += row.left(1) + u' ';
                    m_tableCharacters.insert(row.at(0));
                } else {
                    m_pinyinLists[segment][row.mid(1)] += row.left(1) + u' ';
                }
            }
        }
    }

    QString strokeList(const QString &code) const { return m_strokeLists.value(code); }

    // The segment the pinyin search runs for a key, by its first character; none for others.
    static std::optional<tables::Segment> pinyinSegment(const QString &key)
    {
        const auto &groups = pinyininitials::groups;
        if (key.isEmpty())
            return std::nullopt;
        for (int g = 0; g < 5; ++g) {
            if (QLatin1String(groups[g]).contains(key.at(0)))
                return tables::Segment(int(tables::Segment::Text1bh1) + g);
        }
        return std::nullopt;
    }

    QString pinyinList(tables::Segment segment, const QString &key) const
    {
        return m_pinyinLists.value(segment).value(key);
    }

    bool isTableCharacter(QChar c) const { return m_tableCharacters.contains(c); }

private:
    QHash<QString, QString> m_strokeLists;
    QHash<tables::Segment, QHash<QString, QString>> m_pinyinLists;
    QSet<QChar> m_tableCharacters;
};

const TableOracle &oracle()
{
    static const TableOracle instance;
    return instance;
}

// The first character of a text: one code unit, or a surrogate pair.
QString firstCharacter(const QString &text)
{
    const bool pair
        = text.size() >= 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate();
    return text.left(pair ? 2 : 1);
}

bool onlySpaces(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

// The stroke code of the five drop-down texts, written out here rather than taken from the program.
QString expectedStrokeCode(const QStringList &texts)
{
    QString code;
    for (const QString &text : texts) {
        const qsizetype digit
            = text.size() == 1 ? QStringLiteral("一丨丿丶乙").indexOf(text.at(0)) : -1;
        code += QChar(char16_t(u'1' + (digit < 0 ? -1 : int(digit))));
    }
    return code;
}

// The list format of the result box: nothing, or table characters each followed by one space.
bool isResultList(const QString &text, QString *why)
{
    if (text.size() % 2 != 0) {
        *why = QStringLiteral("odd length");
        return false;
    }
    for (qsizetype i = 0; i < text.size(); i += 2) {
        if (text.at(i + 1) != u' ' || !oracle().isTableCharacter(text.at(i))) {
            *why = QStringLiteral("at %1").arg(i);
            return false;
        }
    }
    return true;
}

// Whether a caret at position splits a surrogate pair, leaving half a character on either side.
bool splitsPair(const QString &text, qsizetype position)
{
    return position > 0 && position < text.size() && text.at(position - 1).isHighSurrogate()
        && text.at(position).isLowSurrogate();
}

// Caret positions a user can reach: the grapheme boundaries of the text.
QList<int> caretPositions(const QString &text)
{
    QList<int> positions { 0 };
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        positions.append(int(finder.position()));
    if (positions.last() != text.size())
        positions.append(int(text.size()));
    return positions;
}

int caretFromSeed(const QString &text, quint32 seed)
{
    const QList<int> positions = caretPositions(text);
    return positions.at(int(seed % quint32(positions.size())));
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("(unreadable)");
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

QStringList folderListing(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// One run: the window, the instrumentation that checks each handler's outcome right after the
// handler ran, the event driver and the checks between events.
class Session : public QObject {
public:
    Session(Form1 &window, RecordingOpener &opener, QTextStream *trace)
        : w(window)
        , m_opener(opener)
        , m_trace(trace)
    {
        instrument();
        m_label4Shown = !w.Label4.isHidden();
    }

    // Runs one event and the checks after it; false when an invariant broke.
    bool run(int index, const Event &event);

    Failure failure;
    Stats stats;

private:
    void instrument();
    void perform(const Event &event);
    void checkBetweenEvents();
    void fail(const QString &invariant, const QString &detail);
    void expect(bool condition, const char *invariant, const QString &detail = QString())
    {
        if (!condition)
            fail(QLatin1String(invariant), detail);
    }

    QList<QWidget *> recordControls() const
    {
        return { &w.Picture1, &w.Label23, &w.Label2, &w.Label9, &w.Label3, &w.Label6, &w.Label1,
            &w.Label7 };
    }
    bool recordShown() const { return !w.Picture1.isHidden(); }
    QString state() const;
    // After a handler that ended in a lookup: the record controls follow its NoMatch.
    void expectDisplayFollowsFind(const char *handler);
    void countLookup() { ++(w.Data1.NoMatch() ? stats.lookupsMissed : stats.lookupsFound); }

    void afterBian();
    void afterStrokeKey();
    void afterPinyinKey();
    void afterSyllableEntry();

    QWidget *keyReceiver(Target target);
    QLineEdit *lineEditOf(Target target);
    QComboBox *strokeCombo(Target target);
    QPoint caretPoint(Target target, int position);
    void setCaret(Target target, int anchor, int position);
    QString textOf(Target target);
    void typeText(QWidget *receiver, const QString &text);
    void pickStrokeItem(QComboBox *combo, quint32 seed);
    void pickSyllable(quint32 seed);
    void draw(const Event &event);
    bool isRecordCharacter(QChar c);

    Form1 &w;
    RecordingOpener &m_opener;
    QTextStream *m_trace = nullptr;
    int m_index = -1;
    bool m_editingText6 = false; // the current event is the user editing the result box
    bool m_text6Typed = false; // the result box holds what the user made of it, not a search list
    bool m_label4Shown = false;
    bool m_drawing = false; // the current event is on the handwriting pad
    bool m_text6Handwritten = false; // the result box holds the pad's candidates
    QSet<QChar> m_recordCharacters; // filled at the first handwritten list
};

void Session::fail(const QString &invariant, const QString &detail)
{
    if (failure.index >= 0)
        return; // the first one counts
    failure.index = m_index;
    failure.invariant = invariant;
    failure.detail = detail.isEmpty() ? state() : detail + QStringLiteral("; ") + state();
}

QString Session::state() const
{
    QStringList hidden;
    for (const QWidget *control : recordControls())
        hidden.append(control->objectName()
            + (control->isHidden() ? QStringLiteral(" hidden") : QStringLiteral(" shown")));
    return QStringLiteral(
        "Text5=%1 Text6=%2 Combo1..5=%3 Combo6=%4 Text2bhw=%5 Text2bh=%6 Label20=%7 "
        "Label10=%8 NoMatch=%9 [%10, Label13 %11]")
        .arg(quoted(w.Text5.text()), quoted(w.Text6.text()),
            quoted(QStringList { w.Combo1.currentText(), w.Combo2.currentText(),
                w.Combo3.currentText(), w.Combo4.currentText(), w.Combo5.currentText() }
                       .join(u'|')),
            quoted(w.Combo6.currentText()), quoted(w.Text2bhw.text()), quoted(w.Text2bh.text()),
            quoted(w.Label20), quoted(w.Label10),
            w.Data1.NoMatch() ? QStringLiteral("true") : QStringLiteral("false"))
        .arg(hidden.join(QStringLiteral(", ")),
            w.Label13.isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"));
}

void Session::expectDisplayFollowsFind(const char *handler)
{
    countLookup();
    expect(recordShown() == !w.Data1.NoMatch(), "the record controls follow the last find",
        QStringLiteral("after %1").arg(QLatin1String(handler)));
}

// Connected after the window's own connections, so each of these runs right after the handler.
void Session::instrument()
{
    connect(&w.Text5, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.trimmed().isEmpty())
            return;
        expectDisplayFollowsFind("Text5 Change");
        // the last character, trailing spaces, line ends and punctuation left aside
        const QString looked = caretrules::inputBoxChangeCharacter(text);
        if (!w.Data1.NoMatch())
            expect(w.Label10 == looked, "Text5 looks up its last character", quoted(looked));
    });
    connect(&w.Text5, &InputBox::clicked, this, [this] {
        // white space alone looks nothing up
        if (!w.Text5.text().trimmed().isEmpty())
            expectDisplayFollowsFind("Text5 Click");
    });
    connect(&w.Text5, &InputBox::keyReleased, this, [this] {
        if (!w.Text5.text().trimmed().isEmpty())
            expectDisplayFollowsFind("Text5 KeyUp");
    });
    connect(&w.Text6, &QPlainTextEdit::textChanged, this, [this] {
        m_text6Typed = m_editingText6;
        m_text6Handwritten = m_drawing;
        const bool empty = w.Text6.text().isEmpty();
        bool together = true;
        for (const QWidget *control : recordControls())
            together = together && control->isHidden() == empty;
        expect(together && (!empty || w.Label13.isHidden()),
            "Text6 Change shows the record controls for a list, hides all for none");
        expect(
            w.Text6.toolTip().isEmpty() == empty, "Text6 has its tooltip while it lists something");
    });
    connect(&w.Text6, &ResultBox::clicked, this, [this] {
        if (!w.Text6.text().isEmpty())
            expectDisplayFollowsFind("Text6 Click");
    });
    connect(&w.Text6, &ResultBox::keyReleased, this, [this] {
        if (!w.Text6.text().isEmpty() && w.Text6.textCursor().position() > 0)
            expectDisplayFollowsFind("Text6 KeyUp");
    });
    // a drop-down's Change is the user's edit of its text; a pick from the list is its Click
    for (QComboBox *combo : { &w.Combo1, &w.Combo2, &w.Combo3, &w.Combo4, &w.Combo5 }) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this] { afterBian(); });
        connect(combo, &QComboBox::activated, this, [this] { afterBian(); });
    }
    connect(&w.Text2bhw, &TextCell::changed, this, [this] { afterStrokeKey(); });
    connect(&w.Text2bh, &TextCell::changed, this, [this] { afterPinyinKey(); });
    connect(w.Combo6.lineEdit(), &QLineEdit::textEdited, this, [this] { afterSyllableEntry(); });
    connect(&w.Combo6, &SimpleCombo::activated, this, [this] { afterSyllableEntry(); });
    connect(&w.Timer1, &QTimer::timeout, this, [this] { ++stats.frameSteps; });
    connect(&w.Label1, &ClickLabel::pressed, this, [this] { ++stats.copies; });
}

void Session::afterBian()
{
    const QString code = expectedStrokeCode({ w.Combo1.currentText(), w.Combo2.currentText(),
        w.Combo3.currentText(), w.Combo4.currentText(), w.Combo5.currentText() });
    expect(w.Text2bhw.text() == code && w.Text4.text() == code,
        "bian writes the stroke code of the five drop-downs",
        QStringLiteral("expected %1").arg(code));
    if (w.Text6.text().isEmpty())
        return;
    const QString first = firstCharacter(w.Text6.text());
    expect(w.Label20 == QLatin1String("1") && w.Text2bh.text() == first,
        "bian sets the flag and the key box to the first candidate");
    expectDisplayFollowsFind("bian");
    expect(w.Text6.textCursor().position() == first.size() && !w.Text6.textCursor().hasSelection(),
        "bian leaves the caret after the first candidate");
}

void Session::afterStrokeKey()
{
    const QString code = w.Text2bhw.text();
    if (code.isEmpty() || code.at(0) == u'0')
        return;
    ++stats.strokeSearches;
    const QString expected = oracle().strokeList(code);
    stats.strokeSearchesListing += expected.isEmpty() ? 0 : 1;
    expect(w.Text6.text() == expected, "the stroke search lists every character of the code",
        QStringLiteral("code %1, expected %2").arg(code, quoted(expected)));
}

void Session::afterPinyinKey()
{
    const QString key = w.Text2bh.text();
    if (onlySpaces(key) || w.Label20 == QLatin1String("1"))
        return;
    const std::optional<tables::Segment> segment = TableOracle::pinyinSegment(key);
    if (!segment)
        return;
    ++stats.pinyinSearches;
    const QString expected = oracle().pinyinList(*segment, key);
    stats.pinyinSearchesListing += expected.isEmpty() ? 0 : 1;
    expect(w.Text6.text() == expected, "the pinyin search lists every character of the syllable",
        QStringLiteral("key %1, expected %2").arg(quoted(key), quoted(expected)));
}

void Session::afterSyllableEntry()
{
    if (!onlySpaces(w.Combo6.currentText()))
        expect(w.Label20 == QLatin1String("2"), "a syllable entry sets the flag to 2");
}

void Session::checkBetweenEvents()
{
    // the record controls: the eight together, Label13 only with them
    const bool shown = recordShown();
    bool together = true;
    for (const QWidget *control : recordControls())
        together = together && control->isHidden() == !shown;
    expect(together, "the record controls are shown or hidden together");
    expect(shown || w.Label13.isHidden(), "Label13 is hidden while the record is");
    expect(!shown || !w.Data1.NoMatch() || !w.Text6.text().isEmpty(),
        "a record is shown only after a find that found it or for a listed result");

    // the table search is back at the start, with its last call a miss
    expect(w.tableSearch.position == 0, "the table search position is 0 between events",
        QString::number(w.tableSearch.position));
    expect(w.tableSearch.Label1bh == QLatin1String("0"), "the found flag is 0 between events",
        w.tableSearch.Label1bh);

    // the hidden working boxes
    static const QRegularExpression code(QStringLiteral("^[0-5]{5}$"));
    expect(w.Text2bhw.text().isEmpty() || code.match(w.Text2bhw.text()).hasMatch(),
        "Text2bhw is empty or five digits 0-5", quoted(w.Text2bhw.text()));
    expect(w.Text2bhw.text() == w.Text4.text(), "Text4 holds the code bian built");
    expect(w.Label20 == QLatin1String("Label20") || w.Label20 == QLatin1String("1")
            || w.Label20 == QLatin1String("2"),
        "the search-mode flag is 1 or 2", quoted(w.Label20));
    const QString key = w.Text2bh.text();
    // bian's key is the first character of the result box, a listed one or one the user typed there
    expect(key.isEmpty() || key.size() == 6 || key == firstCharacter(key),
        "Text2bh holds a six-column key or one character", quoted(key));

    // the result box lists table characters, each followed by a space, unless the user edited it
    QString why;
    if (m_text6Handwritten) {
        const QString list = w.Text6.text();
        bool listed = list.size() % 2 == 0 && list.size() <= 20;
        for (qsizetype i = 0; listed && i < list.size(); i += 2)
            listed = list.at(i + 1) == u' ' && isRecordCharacter(list.at(i));
        expect(listed,
            "the pad lists at most ten characters with a record, each followed by a space",
            quoted(list));
    } else if (!m_text6Typed) {
        expect(isResultList(w.Text6.text(), &why),
            "Text6 is a list of table characters each followed by a space", why);
    }

    // the handwriting pad: its note says whether the ink can be read, and unread ink lists nothing
    if (const handwriting::HandwritingPad *pad = w.handwriting.pad()) {
        const handwriting::Ink &ink = pad->writingArea.ink();
        const handwriting::InkVerdict verdict
            = handwriting::inkVerdict(ink, pad->writingArea.width());
        expect(!w.handwriting.isRecognizing(), "the pad's recognition has answered");
        expect(pad->inkNote.isHidden() == (verdict == handwriting::InkVerdict::Readable),
            "the pad's note shows exactly while its ink cannot be read", pad->inkNote.text());
        if (verdict != handwriting::InkVerdict::Readable && m_text6Handwritten)
            expect(w.Text6.text().isEmpty(), "ink that cannot be read lists nothing");
    }

    // a caret or selection end inside a surrogate pair would let the next key split the character
    const QTextCursor cursor = w.Text6.textCursor();
    expect(!splitsPair(w.Text6.text(), cursor.position())
            && !splitsPair(w.Text6.text(), cursor.anchor()),
        "the caret of Text6 never splits a character", QString::number(cursor.position()));
    expect(!splitsPair(w.Text5.text(), w.Text5.cursorPosition())
            && !splitsPair(w.Text5.text(), w.Text5.selectionStart())
            && !splitsPair(w.Text5.text(), w.Text5.selectionEnd()),
        "the caret of Text5 never splits a character", QString::number(w.Text5.cursorPosition()));

    // the notices and timers
    expect(
        w.Label8.isHidden() != w.Timer3.isActive(), "the clipboard notice shows while Timer3 runs");
    expect(!m_label4Shown || !w.Label4.isHidden(), "the no-record notice stays once shown");
    m_label4Shown = !w.Label4.isHidden();
    expect(!w.Timer2.isActive(), "start-up completion ran once");
    expect(QApplication::activeModalWidget() == nullptr, "no modal window is open");
    expect(QApplication::activePopupWidget() == nullptr, "no popup is open");
}

bool Session::run(int index, const Event &event)
{
    m_index = index;
    const qsizetype opened = m_opener.opened.size();
    m_editingText6 = event.target == Target::Text6
        && (event.action == Action::Type || event.action == Action::Commit
            || event.action == Action::Key);
    const bool linkVisible = event.target == Target::Label5
        || (event.target == Target::Label6 && w.Label6.isVisible())
        || (event.target == Target::Label13 && w.Label13.isVisible());
    perform(event);
    m_editingText6 = false;
    ++stats.events;

    const qsizetype expectedOpened
        = event.action == Action::Press && event.button == Qt::LeftButton && linkVisible ? 1 : 0;
    expect(m_opener.opened.size() - opened == expectedOpened,
        "exactly one address opens per link click",
        QStringLiteral("%1 opened").arg(m_opener.opened.size() - opened));
    for (qsizetype i = opened; i < m_opener.opened.size(); ++i) {
        const QUrl &url = m_opener.opened.at(i);
        const bool web
            = url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
        const bool page = url.isLocalFile() && url.path().contains(QLatin1String("/strokeorder/"));
        expect(url.isValid() && (web || page), "links open web addresses or the stroke-order pages",
            url.toString());
    }
    stats.addressesOpened += int(m_opener.opened.size() - opened);
    checkBetweenEvents();

    if (m_trace)
        *m_trace << '#' << index << ' ' << describe(event) << "\n    " << state() << Qt::endl;
    return failure.index < 0;
}

QLineEdit *Session::lineEditOf(Target target)
{
    switch (target) {
    case Target::Text5:
        return &w.Text5;
    case Target::Combo6:
        return w.Combo6.lineEdit();
    default:
        break;
    }
    QComboBox *combo = strokeCombo(target);
    return combo ? combo->lineEdit() : nullptr;
}

QComboBox *Session::strokeCombo(Target target)
{
    switch (target) {
    case Target::Combo1:
        return &w.Combo1;
    case Target::Combo2:
        return &w.Combo2;
    case Target::Combo3:
        return &w.Combo3;
    case Target::Combo4:
        return &w.Combo4;
    case Target::Combo5:
        return &w.Combo5;
    default:
        return nullptr;
    }
}

// Where key events go: the drop-downs take them themselves and hand text keys to their edit field.
QWidget *Session::keyReceiver(Target target)
{
    if (target == Target::Text6)
        return &w.Text6;
    if (QComboBox *combo = strokeCombo(target))
        return combo;
    return lineEditOf(target);
}

QString Session::textOf(Target target)
{
    if (target == Target::Text6)
        return w.Text6.text();
    QLineEdit *edit = lineEditOf(target);
    return edit ? edit->text() : QString();
}

// The caret (and, when anchor differs, a selection from anchor) put there as earlier keys and
// clicks would have, without their events.
void Session::setCaret(Target target, int anchor, int position)
{
    if (target == Target::Text6) {
        QTextCursor cursor(w.Text6.document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        w.Text6.setTextCursor(cursor);
    } else if (QLineEdit *edit = lineEditOf(target)) {
        if (anchor == position)
            edit->setCursorPosition(position);
        else
            edit->setSelection(anchor, position - anchor);
    }
}

// The point of a caret position inside the box, where a click puts the caret there. The box
// scrolls to show the position first, as it would for the user's click.
QPoint Session::caretPoint(Target target, int position)
{
    if (target == Target::Text6) {
        QTextCursor cursor(w.Text6.document());
        cursor.setPosition(position);
        QRect rect = w.Text6.cursorRect(cursor);
        if (!w.Text6.viewport()->rect().contains(rect.center())) {
            const QTextCursor kept = w.Text6.textCursor();
            w.Text6.setTextCursor(cursor); // scrolls it into view
            rect = w.Text6.cursorRect(cursor);
            w.Text6.setTextCursor(kept);
        }
        const QRect area = w.Text6.viewport()->rect().adjusted(1, 1, -2, -2);
        return QPoint(qBound(area.left(), rect.center().x() + 1, area.right()),
            qBound(area.top(), rect.center().y(), area.bottom()));
    }
    QLineEdit *edit = lineEditOf(target);
    const int cursor = edit->cursorPosition();
    const int start = edit->selectionStart();
    const int length = int(edit->selectedText().size());
    edit->setCursorPosition(position);
    const QRect rect = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (start >= 0 && length > 0)
        edit->setSelection(
            cursor == start ? start + length : start, cursor == start ? -length : length);
    else
        edit->setCursorPosition(cursor);
    const QRect area = edit->rect().adjusted(1, 1, -2, -2);
    return QPoint(qBound(area.left(), rect.center().x(), area.right()),
        qBound(area.top(), rect.center().y(), area.bottom()));
}

// Key presses as a keyboard sends them: one per character (a surrogate pair is one character),
// with Shift for capitals; tab and line breaks as their keys.
void Session::typeText(QWidget *receiver, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        const QString chunk = text.mid(i, length);
        i += length - 1;
        const char16_t c = chunk.at(0).unicode();
        Qt::Key key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers;
        if (c == u'\t')
            key = Qt::Key_Tab;
        else if (c == u'\n' || c == u'\r')
            key = Qt::Key_Return;
        else if (c >= u'a' && c <= u'z')
            key = Qt::Key(Qt::Key_A + (c - u'a'));
        else if (c >= u'A' && c <= u'Z') {
            key = Qt::Key(c);
            modifiers = Qt::ShiftModifier;
        } else if (c >= 0x20 && c < 0x7f)
            key = Qt::Key(c);
        const bool textless = key == Qt::Key_Tab || key == Qt::Key_Return;
        QTest::sendKeyEvent(QTest::Click, receiver, key, textless ? QString() : chunk, modifiers);
    }
}

// A pick from the drop-down's list as the user makes it: the list opens, the item is highlighted
// and Return picks it, which closes the list and raises the drop-down's activated().
void Session::pickStrokeItem(QComboBox *combo, quint32 seed)
{
    if (combo->count() == 0)
        return;
    const int row = int(seed % quint32(combo->count()));
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    view->setCurrentIndex(combo->model()->index(row, 0));
    QTest::sendKeyEvent(QTest::Click, view, Qt::Key_Return, QString(), {});
    if (view->isVisible())
        combo->hidePopup();
}

void Session::pickSyllable(quint32 seed)
{
    QListWidget *list = w.Combo6.listWidget();
    if (list->count() == 0)
        return;
    QListWidgetItem *item = list->item(int(seed % quint32(list->count())));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

bool Session::isRecordCharacter(QChar c)
{
    if (m_recordCharacters.isEmpty()) {
        const QHash<QString, QString> counts = w.Data1.strokeCounts();
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.key().size() == 1)
                m_recordCharacters.insert(it.key().at(0));
        }
    }
    return m_recordCharacters.contains(c);
}

// On the pad, opened first with a click on 手写: strokes sent as mouse events from the seed, or
// a click on 退一笔 or 重写; then the recognition's answer is waited for (its queued delivery only,
// so that no timer runs meanwhile).
void Session::draw(const Event &e)
{
    if (!w.handwriting.pad())
        QTest::mouseClick(&w.Command9, Qt::LeftButton);
    handwriting::HandwritingPad *pad = w.handwriting.pad();
    if (!pad || !pad->writingArea.isEnabled())
        return; // no model
    QWidget &area = pad->writingArea;
    QRandomGenerator random(e.a);
    const auto coordinate = [&] { return -20 + random.bounded(340.0); };
    const auto stroke = [&](const QList<QPointF> &points) {
        drawStroke(area, points);
        ++stats.strokesDrawn;
    };
    QList<QPointF> points;
    switch (e.key) {
    case RandomStroke:
        for (int i = 0, n = 2 + int(random.bounded(11)); i < n; ++i)
            points.append(QPointF(coordinate(), coordinate()));
        stroke(points);
        break;
    case Scribble: {
        const int turns = 10 + int(random.bounded(51));
        const double top = random.bounded(150.0);
        for (int pass = 0; pass <= turns; ++pass) {
            for (int i = 0; i < 5; ++i)
                points.append(QPointF(pass % 2 ? 280 - 50 * i : 20 + 50 * i,
                    top + (5 * pass + i) * 140.0 / (5 * turns)));
        }
        stroke(points);
        break;
    }
    case LongStroke: {
        QPointF at(coordinate(), coordinate());
        for (int i = 0, n = 500 + int(random.bounded(4501)); i < n; ++i) {
            at += QPointF(random.bounded(8.0) - 4, random.bounded(8.0) - 4);
            points.append(at);
        }
        stroke(points);
        break;
    }
    case Taps:
        for (int i = 0, n = 1 + int(random.bounded(60)); i < n; ++i)
            stroke({ QPointF(coordinate(), coordinate()) });
        break;
    case TakeBack:
        QTest::mouseClick(&pad->takeBackButton, Qt::LeftButton);
        break;
    case Clear:
        QTest::mouseClick(&pad->clearButton, Qt::LeftButton);
        break;
    default:
        break;
    }
    QElapsedTimer clock;
    clock.start();
    while (w.handwriting.isRecognizing() && clock.elapsed() < 20000) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        if (w.handwriting.isRecognizing())
            QThread::msleep(1);
    }
    if (w.handwriting.isRecognizing())
        return;
    if (!pad->inkNote.isHidden())
        ++stats.unreadableInk;
    else if (m_text6Handwritten && !w.Text6.text().isEmpty())
        ++stats.handwritingLists;
}

void Session::perform(const Event &e)
{
    switch (e.action) {
    case Action::Type:
        if (QWidget *receiver = keyReceiver(e.target))
            typeText(receiver, e.text);
        break;
    case Action::Commit:
        if (QWidget *receiver = keyReceiver(e.target)) {
            QInputMethodEvent commit;
            commit.setCommitString(e.text);
            QApplication::sendEvent(receiver, &commit);
        }
        break;
    case Action::Assign:
        // the input box takes any assignment as its change; an edit field takes the text as a
        // paste over all it held
        if (e.target == Target::Text5) {
            w.Text5.setText(e.text);
        } else if (QLineEdit *edit = lineEditOf(e.target)) {
            edit->selectAll();
            edit->insert(e.text);
        }
        break;
    case Action::Key: {
        QWidget *receiver = keyReceiver(e.target);
        if (!receiver)
            break;
        const QString text = textOf(e.target);
        setCaret(e.target, caretFromSeed(text, e.b), caretFromSeed(text, e.a));
        QTest::sendKeyEvent(QTest::Click, receiver, Qt::Key(e.key),
            e.key == Qt::Key_Space ? QStringLiteral(" ") : QString(), e.modifiers);
        break;
    }
    case Action::Click:
    case Action::DoubleClick:
    case Action::Drag: {
        if (e.target != Target::Text5 && e.target != Target::Text6)
            break;
        QWidget *area
            = e.target == Target::Text6 ? w.Text6.viewport() : static_cast<QWidget *>(&w.Text5);
        const QString text = textOf(e.target);
        if (e.action == Action::Drag) {
            // pressed outside any selection, so that the drag selects rather than drags text away
            const int from = caretFromSeed(text, e.a);
            setCaret(e.target, from, from);
            const QPoint start = caretPoint(e.target, from);
            const QPoint end = caretPoint(e.target, caretFromSeed(text, e.b));
            QTest::mousePress(area, Qt::LeftButton, {}, start);
            QTest::mouseMove(area, (start + end) / 2);
            QTest::mouseMove(area, end);
            QTest::mouseRelease(area, Qt::LeftButton, {}, end);
            break;
        }
        const QPoint at = caretPoint(e.target, caretFromSeed(text, e.a));
        if (e.action == Action::Click) {
            QTest::mouseClick(area, Qt::LeftButton, e.modifiers & Qt::ShiftModifier, at);
        } else {
            QTest::mouseClick(area, Qt::LeftButton, {}, at);
            QTest::mouseEvent(QTest::MouseDClick, area, Qt::LeftButton, {}, at);
            QTest::mouseRelease(area, Qt::LeftButton, {}, at);
        }
        break;
    }
    case Action::Pick:
        if (e.target == Target::Combo6)
            pickSyllable(e.a);
        else if (QComboBox *combo = strokeCombo(e.target))
            pickStrokeItem(combo, e.a);
        break;
    case Action::Press: {
        QLabel *label = e.target == Target::Label1 ? static_cast<QLabel *>(&w.Label1)
            : e.target == Target::Label5           ? &w.Label5
            : e.target == Target::Label6           ? &w.Label6
            : e.target == Target::Label13          ? &w.Label13
                                                   : nullptr;
        // a hidden label cannot be clicked
        if (label && label->isVisible())
            QTest::mouseClick(label, e.button);
        break;
    }
    case Action::Tick: {
        QTimer &timer = e.target == Target::Timer3 ? w.Timer3 : w.Timer1;
        if (timer.isActive()) {
            QTimerEvent tick(timer.timerId());
            QApplication::sendEvent(&timer, &tick);
        }
        break;
    }
    case Action::Idle:
        QApplication::sendPostedEvents();
        break;
    case Action::Paint:
        (void)w.grab();
        break;
    case Action::Draw:
        m_drawing = true;
        draw(e);
        m_drawing = false;
        if (const handwriting::HandwritingPad *pad = w.handwriting.pad();
            pad && pad->writingArea.ink().isEmpty()) {
            // an emptied pad gives the window back as it was before the ink's first stroke: the
            // result box and notice are then another road's, whatever it was
            m_text6Handwritten = false;
            m_text6Typed = true;
            m_label4Shown = !w.Label4.isHidden();
        }
        break;
    case Action::Clipboard:
        // An emptied clipboard, or one whose owner has gone, offers no format at all on the
        // desktop; clearing the offscreen one would leave none to paste from.
        if (e.text.isEmpty())
            QGuiApplication::clipboard()->setMimeData(new QMimeData);
        else
            QGuiApplication::clipboard()->setText(e.text);
        break;
    }
}

QtMessageHandler previousMessageHandler = nullptr;

// Warnings of the test driver itself (a key or button nobody handles) are not the program's.
void quietDriverWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QLatin1String("Keyboard event not accepted"))
            || message.startsWith(QLatin1String("Mouse event \""))))
        return;
    if (previousMessageHandler)
        previousMessageHandler(type, context, message);
}

} // namespace

QJsonObject Stats::toJson() const
{
    return { { QStringLiteral("events"), events }, { QStringLiteral("lookupsFound"), lookupsFound },
        { QStringLiteral("lookupsMissed"), lookupsMissed },
        { QStringLiteral("strokeSearches"), strokeSearches },
        { QStringLiteral("strokeSearchesListing"), strokeSearchesListing },
        { QStringLiteral("pinyinSearches"), pinyinSearches },
        { QStringLiteral("pinyinSearchesListing"), pinyinSearchesListing },
        { QStringLiteral("frameSteps"), frameSteps }, { QStringLiteral("copies"), copies },
        { QStringLiteral("addressesOpened"), addressesOpened },
        { QStringLiteral("strokesDrawn"), strokesDrawn },
        { QStringLiteral("handwritingLists"), handwritingLists },
        { QStringLiteral("unreadableInk"), unreadableInk } };
}

Stats Stats::fromJson(const QJsonObject &o)
{
    Stats s;
    s.events = o.value(QStringLiteral("events")).toInt();
    s.lookupsFound = o.value(QStringLiteral("lookupsFound")).toInt();
    s.lookupsMissed = o.value(QStringLiteral("lookupsMissed")).toInt();
    s.strokeSearches = o.value(QStringLiteral("strokeSearches")).toInt();
    s.strokeSearchesListing = o.value(QStringLiteral("strokeSearchesListing")).toInt();
    s.pinyinSearches = o.value(QStringLiteral("pinyinSearches")).toInt();
    s.pinyinSearchesListing = o.value(QStringLiteral("pinyinSearchesListing")).toInt();
    s.frameSteps = o.value(QStringLiteral("frameSteps")).toInt();
    s.copies = o.value(QStringLiteral("copies")).toInt();
    s.addressesOpened = o.value(QStringLiteral("addressesOpened")).toInt();
    s.strokesDrawn = o.value(QStringLiteral("strokesDrawn")).toInt();
    s.handwritingLists = o.value(QStringLiteral("handwritingLists")).toInt();
    s.unreadableInk = o.value(QStringLiteral("unreadableInk")).toInt();
    return s;
}

QString Stats::summary() const
{
    return QStringLiteral(
        "%1 events: %2 lookups found a record, %3 did not; %4 stroke searches (%5 listing), "
        "%6 pinyin searches (%7 listing); %8 frame steps, %9 copies, %10 addresses opened; "
        "%11 strokes drawn on the pad, %12 lists from them, %13 times unreadable ink")
        .arg(events)
        .arg(lookupsFound)
        .arg(lookupsMissed)
        .arg(strokeSearches)
        .arg(strokeSearchesListing)
        .arg(pinyinSearches)
        .arg(pinyinSearchesListing)
        .arg(frameSteps)
        .arg(copies)
        .arg(addressesOpened)
        .arg(strokesDrawn)
        .arg(handwritingLists)
        .arg(unreadableInk);
}

QString prepareProgramFolder(ProgramFolder &folder)
{
    const QString programDirectory = folder.path();
    const QString build
        = qEnvironmentVariable("ZIBRIN_BUILD_DIR", QStringLiteral(ZIBRIN_BUILD_DIR));
    const QString photo = build + QStringLiteral("/Photo.mdb");
    const QString list2 = build + QStringLiteral("/LIST2.txt");
    if (QFile::exists(photo) && QFile::exists(list2)) {
        QFile::copy(photo, programDirectory + QStringLiteral("/Photo.mdb"));
        QFile::copy(list2, programDirectory + QStringLiteral("/LIST2.txt"));
        return QStringLiteral("Photo.mdb and LIST2.txt of the build in %1").arg(build);
    }
    // no data built: a few records, one without picture, one whose photo is not a picture
    const QList<CharacterRecord> records = {
        { QStringLiteral("中"), QStringLiteral("4"), QStringLiteral("zhōng"),
            pngBytes(fixturePicture(1)) },
        { QStringLiteral("国"), QStringLiteral("8"), QStringLiteral("guó"),
            pngBytes(fixturePicture(2)) },
        { QStringLiteral("峰"), QStringLiteral("10"), QStringLiteral("fēng"),
            pngBytes(fixturePicture(3)) },
        { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī"), QByteArray() },
        { QStringLiteral("啊"), QStringLiteral("10"), QStringLiteral("ā"),
            QByteArray("not a picture") },
        { QStringLiteral("十"), QStringLiteral("2"), QStringLiteral("shí"),
            pngBytes(fixturePicture(4)) },
    };
    const QString error = folder.writeDatabase(records);
    folder.writeList2(QStringLiteral("中国峰一"));
    if (!error.isEmpty())
        return QStringLiteral("no database: %1").arg(error);
    return QStringLiteral("a fixture database (the build has no Photo.mdb in %1)").arg(build);
}

RunResult replay(const ProgramFolder &folder, const QList<Event> &events,
    const std::function<void(int)> &progress, QTextStream *trace)
{
    const QString programDirectory = folder.path();
    static const QtMessageHandler installed = previousMessageHandler
        = qInstallMessageHandler(quietDriverWarnings);
    (void)installed;
    RunResult result;
    const QStringList files = { QStringLiteral("Photo.mdb"), QStringLiteral("LIST2.txt") };
    QList<QByteArray> hashes;
    for (const QString &file : files)
        hashes.append(fileHash(programDirectory + u'/' + file));
    const QStringList listing = folderListing(programDirectory);

    {
        RecordingOpener opener;
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        std::unique_ptr<Form1> window = startedWindow(folder, opener);
        Session session(*window, opener, trace);
        for (int i = 0; i < events.size(); ++i) {
            if (progress)
                progress(i);
            if (!session.run(i, events.at(i)))
                break;
        }
        result.failure = session.failure;
        result.stats = session.stats;
    }

    if (!result.failed()) {
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (fileHash(programDirectory + u'/' + files.at(i)) != hashes.at(i)) {
                result.failure
                    = { int(events.size()) - 1, QStringLiteral("the program writes no file"),
                          files.at(i) + QStringLiteral(" changed") };
            }
        }
        if (folderListing(programDirectory) != listing && !result.failed()) {
            result.failure = { int(events.size()) - 1, QStringLiteral("the program writes no file"),
                QStringLiteral("the program folder now holds %1")
                    .arg(folderListing(programDirectory).join(u' ')) };
        }
    }
    return result;
}

} // namespace monkey
