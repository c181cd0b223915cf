// SPDX-License-Identifier: GPL-3.0-or-later
// bench_actions: the time of each user action from its event to the record shown, and the
// resident size over many lookups, in one started window over the real Photo.mdb.
//
//   bench_actions BUILD_DIR
//
// BUILD_DIR holds Photo.mdb, LIST2.txt and card.db; the window runs over a temporary program folder
// that links to them. Run it on the offscreen platform. The figures are printed as markdown table
// rows (measure | figure | target) on stdout.
//
// The actions, each timed from the event to the return of its handling (the record is shown
// then; the frame step that Timer1 runs 11 ms later is timed on its own, by calling its handler,
// and so is the repaint that follows, handled as posted events):
// - stroke code: for each distinct code of the stroke-code table, Combo1..Combo4 take their
//   symbols quietly; the timed event is the pick of the last stroke in Combo5, done as QComboBox
//   does it: the current index set to the symbol's item, then activated() emitted.
// - syllable: for each item of Combo6, a click on it in the list (itemClicked() emitted as the
//   list does), which picks it.
// - character: for each GB2312 character (the characters of the stroke-code table, all 6,763 of
//   GB2312), Text5.setText of that one character.
// - the practice-sheet dialog: 300 characters pasted at once, then each change of a field (a
// character typed
//   or taken away, the grid, the copies to trace, the title), and then the same with a pasted
//   title of 32,766 characters; per change, the user-interface thread's longest stall from the
//   change until the pages in view show it, and that wait itself.
// - character with the card: the same with the card window open, which follows each character
//   (card.db read, its rich text laid out; the repaint after it is counted with the others).
// - the radical index: its dialog's first opening (card.db's radical table read, the dialog
//   built and shown), then each form of the radical table chosen, and parts typed: for every
//   20th character of GB2312, its first part, then its first two (as typed one after the
//   other); each timed from the event to its handling with the repaint after it.

#include "cardstore.h"
#include "cardwindow.h"
#include "form1.h"
#include "programfolder.h"
#include "radicaldialog.h"
#include "samples.h"
#include "segments.h"
#include "sheetdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using bench::milliseconds;
using bench::percentile;
using bench::Samples;
using bench::StallMeter;

// The resident size in KiB, from VmRSS of /proc/self/status; 0 if it cannot be read.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // read whole: a /proc file reports size 0, so atEnd() cannot be trusted
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).simplified().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The processor time this thread has used, in nanoseconds.
qint64 threadProcessorNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QString count(qsizetype n)
{
    return QLocale(QLocale::English).toString(qlonglong(n));
}

void row(const QString &measure, const QString &figure, const QString &target = QString())
{
    std::printf("| %s | %s | %s |\n", qPrintable(measure), qPrintable(figure), qPrintable(target));
}

// keys, if given, name the sample of the same index; the slowest one is named in the row.
void percentileRow(const QString &measure, const Samples &samples, const QString &target,
    const QStringList &keys = {})
{
    QString slowest;
    if (!samples.empty() && qsizetype(samples.size()) == keys.size())
        slowest = QStringLiteral(", ")
            + keys.at(std::max_element(samples.begin(), samples.end()) - samples.begin());
    row(measure,
        QStringLiteral("p50 %1, p99 %2 (max %3%4)")
            .arg(milliseconds(percentile(samples, 0.50)), milliseconds(percentile(samples, 0.99)),
                milliseconds(percentile(samples, 1.0)), slowest),
        target);
}

// The rows of the stroke-code table: character and five-digit code, in table order.
struct StrokeRow {
    QString character;
    QString code;
};

std::vector<StrokeRow> strokeRows()
{
    std::vector<StrokeRow> rows;
    for (const tables::Segment segment : { tables::Segment::Text1bh1w, tables::Segment::Text1bh2w,
             tables::Segment::Text1bh3w, tables::Segment::Text1bh4w, tables::Segment::Text1bh5w }) {
        const QStringList lines
            = tables::segmentText(segment).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QString trimmed = line.trimmed();
            if (trimmed.size() > 5)
                rows.push_back({ trimmed.chopped(5), trimmed.right(5) });
        }
    }
    return rows;
}

// A window action timed, then the frame step and the repaint after it, each timed on its own.
class Timing {
public:
    explicit Timing(Form1 &window)
        : m_window(window)
    {
    }

    // Runs the action; returns whether the record is shown afterwards.
    bool run(Samples &into, const std::function<void()> &action)
    {
        QElapsedTimer clock;
        clock.start();
        action();
        keep(into, clock.nsecsElapsed());
        const bool shown = m_window.Picture1.isVisible();
        settle();
        return shown;
    }

    // The frame step if the action switched Timer1 on, then the posted events (layout, repaint).
    void settle()
    {
        QElapsedTimer clock;
        if (m_window.Timer1.isActive()) {
            clock.start();
            m_window.lookup.Timer1_Timer();
            keep(frameSteps, clock.nsecsElapsed());
        }
        clock.start();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        keep(repaints, clock.nsecsElapsed());
    }

    Samples frameSteps;
    Samples repaints;
    // Off for the memory passes, whose own samples would count as growth.
    bool recording = true;

private:
    void keep(Samples &into, qint64 nanoseconds)
    {
        if (recording)
            into.push_back(nanoseconds);
    }

    Form1 &m_window;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_actions BUILD_DIR\n");
        return 2;
    }
    const QString buildDir = QString::fromLocal8Bit(argv[1]);

    ProgramFolder folder;
    for (const QString &name :
        { QStringLiteral("Photo.mdb"), QStringLiteral("LIST2.txt"), QStringLiteral("card.db") }) {
        if (!QFile::link(
                buildDir + QLatin1Char('/') + name, folder.path() + QLatin1Char('/') + name)) {
            std::fprintf(stderr, "bench_actions: cannot link %s from %s\n", qPrintable(name),
                qPrintable(buildDir));
            return 1;
        }
    }
    RecordingOpener opener;
    const std::unique_ptr<Form1> window = startedWindow(folder, opener);
    if (!window->Data1.isOpen() || window->Timer2.isActive() || window->Text1.isEmpty()) {
        std::fprintf(
            stderr, "bench_actions: the window did not start up over %s\n", qPrintable(buildDir));
        return 1;
    }
    QCoreApplication::processEvents();
    const qint64 residentAfterStartup = residentKiB();

    const std::vector<StrokeRow> table = strokeRows();
    QStringList codes;
    QStringList characters;
    QSet<QString> seen;
    for (const StrokeRow &r : table) {
        characters.append(r.character);
        if (!seen.contains(r.code)) {
            seen.insert(r.code);
            codes.append(r.code);
        }
    }

    Timing timing(*window);

    // Stroke codes: the first four strokes set quietly, then the pick in Combo5.
    static const QString symbols[] = { QStringLiteral(" "), QStringLiteral("一"),
        QStringLiteral("丨"), QStringLiteral("丿"), QStringLiteral("丶"), QStringLiteral("乙") };
    QComboBox *const firstFour[]
        = { &window->Combo1, &window->Combo2, &window->Combo3, &window->Combo4 };
    // The candidates listed in the result box, each followed by a space.
    const auto candidates
        = [&] { return QStringLiteral(" (%1 candidates)").arg(window->Text6.text().size() / 2); };

    Samples strokeTimes;
    QStringList strokeKeys;
    int strokeShown = 0;
    for (const QString &code : codes) {
        for (int i = 0; i < 4; ++i) {
            const QSignalBlocker quiet(firstFour[i]);
            firstFour[i]->setEditText(symbols[code.at(i).digitValue()]);
        }
        const int lastStroke = code.at(4).digitValue();
        const int item = lastStroke == 0 ? 5 : lastStroke - 1; // Combo5: 一 丨 丿 丶 乙, then " "
        strokeShown += timing.run(strokeTimes, [&] {
            window->Combo5.setCurrentIndex(item);
            emit window->Combo5.activated(item);
        });
        strokeKeys.append(QStringLiteral("code ") + code + candidates());
    }

    // Syllables: a click on each item of Combo6's list.
    QListWidget *const syllableList = window->Combo6.listWidget();
    Samples syllableTimes;
    QStringList syllableKeys;
    int syllableShown = 0;
    for (int i = 0; i < syllableList->count(); ++i) {
        QListWidgetItem *const item = syllableList->item(i);
        syllableShown += timing.run(syllableTimes, [&] { emit syllableList->itemClicked(item); });
        syllableKeys.append(item->text() + candidates());
    }

    // Characters typed into Text5.
    Samples characterTimes;
    int characterShown = 0;
    for (const QString &character : characters)
        characterShown += timing.run(characterTimes, [&] { window->Text5.setText(character); });

    // Characters typed with the card window open, then closed again.
    window->characterCard.Label24_Click();
    // The processor time of the action too: on a machine shared with other work the wall time
    // includes waiting for a processor.
    Samples cardTimes;
    Samples cardProcessorTimes;
    int cardsShown = 0;
    const CardWindow *card = window->characterCard.cardWindow();
    for (const QString &character : characters) {
        timing.run(cardTimes, [&] {
            const qint64 before = threadProcessorNanoseconds();
            window->Text5.setText(character);
            cardProcessorTimes.push_back(threadProcessorNanoseconds() - before);
        });
        cardsShown += card->character() == character
            && !card->text.toPlainText().startsWith(QStringLiteral("字卡里没有"));
    }
    window->characterCard.cardWindow()->close();

    // Memory: one full pass over the characters first, so that caches filled on first use do not
    // count as growth; then 100,000 lookups.
    timing.recording = false;
    Samples untimed;
    for (const QString &character : characters)
        timing.run(untimed, [&] { window->Text5.setText(character); });
    const qint64 residentAfterWarmUp = residentKiB();
    constexpr int lookups = 100000;
    for (int i = 0; i < lookups; ++i)
        timing.run(untimed, [&] { window->Text5.setText(characters.at(i % characters.size())); });
    const qint64 residentAfterLookups = residentKiB();

    // The practice-sheet dialog over 300 characters.
    window->sheet.Command10_Click();
    sheets::SheetDialog *const dialog = window->sheet.dialog();
    QStringList sheetCharacters;
    for (const QString &character : characters) {
        if (sheetCharacters.size() == sheets::maxInputLength)
            break;
        if (!sheetCharacters.contains(character))
            sheetCharacters.append(character);
    }
    StallMeter stallMeter;
    const auto waitForPreview = [&] {
        QElapsedTimer waited;
        waited.start();
        while (!dialog->preview.isUpToDate() && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return waited.nsecsElapsed();
    };
    const auto dialogChanges = [&](Samples &stalls, Samples &waits) {
        const QString all = sheetCharacters.join(QString());
        const std::function<void()> changes[] = {
            [&] { dialog->characters.setText(all.chopped(1)); },
            [&] { dialog->characters.setText(all); },
            [&] { dialog->grid.setCurrentIndex(1); },
            [&] { dialog->grid.setCurrentIndex(0); },
            [&] { dialog->tracing.setValue(5); },
            [&] { dialog->tracing.setValue(3); },
            [&] { dialog->title.setText(dialog->title.text().chopped(1)); },
            [&] { dialog->title.setText(dialog->title.text() + QStringLiteral("帖")); },
        };
        for (int round = 0; round < 3; ++round) {
            for (const auto &change : changes) {
                stallMeter.begin();
                QElapsedTimer clock;
                clock.start();
                change();
                waitForPreview();
                waits.push_back(clock.nsecsElapsed());
                stalls.push_back(stallMeter.end());
            }
        }
    };
    // the first paste: every character's outline read
    stallMeter.begin();
    dialog->characters.setText(sheetCharacters.join(QString()));
    const qint64 firstPasteWait = waitForPreview();
    const qint64 firstPasteStall = stallMeter.end();
    Samples sheetStalls;
    Samples sheetWaits;
    dialogChanges(sheetStalls, sheetWaits);
    const int sheetPages = dialog->preview.pageCount();
    dialog->title.setText(QString(32766, QChar(u'题')));
    waitForPreview();
    Samples titleStalls;
    Samples titleWaits;
    dialogChanges(titleStalls, titleWaits);
    const qsizetype titleKept = dialog->title.text().size();
    dialog->close();
    QCoreApplication::processEvents();

    // The radical index.
    const auto repainted = [](qint64 started, QElapsedTimer &clock) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return clock.nsecsElapsed() - started;
    };
    QElapsedTimer radicalClock;
    radicalClock.start();
    window->radicalIndex.Command11_Click();
    const qint64 radicalOpening = repainted(0, radicalClock);
    RadicalDialog *const radicalDialog = window->radicalIndex.dialog();
    const card::CardStore cards(folder.path() + QStringLiteral("/card.db"));
    QStringList forms;
    for (const card::RadicalForm &form : cards.radicalTable())
        forms.append(form.form);
    Samples radicalTimes;
    for (const QString &form : std::as_const(forms)) {
        radicalClock.start();
        emit radicalDialog->radicalChosen(form);
        radicalTimes.push_back(repainted(0, radicalClock));
    }
    QStringList typedParts;
    for (qsizetype i = 0; i < characters.size(); i += 20) {
        const std::optional<card::Card> card = cards.card(characters.at(i));
        if (!card || card->parts.isEmpty())
            continue;
        typedParts.append(card->parts.at(0));
        if (card->parts.size() > 1)
            typedParts.append(card->parts.at(0) + card->parts.at(1));
    }
    Samples partsTimes;
    qsizetype partsFound = 0;
    for (const QString &text : std::as_const(typedParts)) {
        radicalClock.start();
        radicalDialog->parts.setText(text);
        emit radicalDialog->partsEdited(text);
        partsTimes.push_back(repainted(0, radicalClock));
        partsFound += radicalDialog->characters.itemTexts().isEmpty() ? 0 : 1;
    }
    radicalDialog->close();
    QCoreApplication::processEvents();

    const QString p99Target = QStringLiteral("p99 < 2 ms");
    percentileRow(QStringLiteral("Stroke code pick, %1 codes (%2 showed a record)")
                      .arg(count(codes.size()), count(strokeShown)),
        strokeTimes, p99Target, strokeKeys);
    percentileRow(QStringLiteral("Syllable pick in Combo6, %1 syllables (%2 showed a record)")
                      .arg(count(syllableList->count()), count(syllableShown)),
        syllableTimes, p99Target, syllableKeys);
    percentileRow(QStringLiteral("Character typed into Text5, %1 of GB2312 (%2 showed a record)")
                      .arg(count(characters.size()), count(characterShown)),
        characterTimes, p99Target, characters);
    percentileRow(
        QStringLiteral("Character typed into Text5 with the card window open (%1 cards shown)")
            .arg(count(cardsShown)),
        cardTimes, QStringLiteral("p99 < 5 ms"), characters);
    percentileRow(QStringLiteral("The same, processor time of the user-interface thread"),
        cardProcessorTimes, QString(), characters);
    percentileRow(QStringLiteral("Frame step (Timer1's handler), %1 steps")
                      .arg(count(qsizetype(timing.frameSteps.size()))),
        timing.frameSteps, QString());
    percentileRow(QStringLiteral("Repaint after an action (posted events, offscreen), %1 actions")
                      .arg(count(qsizetype(timing.repaints.size()))),
        timing.repaints, QString());

    row(QStringLiteral("Practice-sheet dialog, 300 characters pasted into the empty field: the "
                       "longest stall, and the wait until the pages in view are drawn"),
        QStringLiteral("%1, %2").arg(milliseconds(firstPasteStall), milliseconds(firstPasteWait)));
    percentileRow(QStringLiteral("Practice-sheet dialog, 300 characters (%1 pages): the "
                                 "user-interface thread's longest stall per change, %2 changes")
                      .arg(sheetPages)
                      .arg(sheetStalls.size()),
        sheetStalls, QStringLiteral("max ≤ 100 ms"));
    percentileRow(QStringLiteral("Practice-sheet dialog, 300 characters: change to the pages in "
                                 "view drawn"),
        sheetWaits, QString());
    percentileRow(QStringLiteral("Practice-sheet dialog, 300 characters and a pasted title of "
                                 "32,766 characters (%1 kept): longest stall per change")
                      .arg(titleKept),
        titleStalls, QStringLiteral("max ≤ 100 ms"));
    percentileRow(QStringLiteral("Practice-sheet dialog, the same: change to the pages in view "
                                 "drawn"),
        titleWaits, QString());

    row(QStringLiteral("Radical index: the dialog's first opening, shown (%1 radical forms)")
            .arg(forms.size()),
        milliseconds(radicalOpening), QStringLiteral("< 100 ms"));
    percentileRow(QStringLiteral("Radical index: a radical chosen, its characters listed, %1 forms")
                      .arg(forms.size()),
        radicalTimes, QStringLiteral("p99 < 16 ms"), forms);
    percentileRow(QStringLiteral("Radical index: parts typed, the characters listed, %1 texts (%2 "
                                 "found some)")
                      .arg(typedParts.size())
                      .arg(partsFound),
        partsTimes, QStringLiteral("p99 < 16 ms"), typedParts);

    const auto mib = [](qint64 kib) {
        return QString::number(double(kib) / 1024.0, 'f', 1) + QStringLiteral(" MiB");
    };
    row(QStringLiteral("Resident size after start-up (offscreen)"), mib(residentAfterStartup));
    row(QStringLiteral("Resident size after a warm-up pass of %1 lookups")
            .arg(count(characters.size())),
        mib(residentAfterWarmUp));
    const double growth = residentAfterWarmUp > 0
        ? 100.0 * double(residentAfterLookups - residentAfterWarmUp) / double(residentAfterWarmUp)
        : 0.0;
    row(QStringLiteral("Resident size after %1 more lookups").arg(count(lookups)),
        QStringLiteral("%1 (growth %2% over the warm-up figure)")
            .arg(mib(residentAfterLookups))
            .arg(growth, 0, 'f', 2),
        QStringLiteral("growth ≤ 1%"));
    std::fflush(stdout);
    return 0;
}
