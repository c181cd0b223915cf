// SPDX-License-Identifier: GPL-3.0-or-later
// The stroke and pinyin searches on the real main window, over a fixture Photo.mdb.
#include "form1.h"
#include "programfolder.h"
#include "segments.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

const QString heng = QStringLiteral("一");
const QString shu = QStringLiteral("丨");
const QString pie = QStringLiteral("丿");
const QString zhe = QStringLiteral("乙");
const QString blank = QStringLiteral(" ");

// A few characters of the searches below. 丁, the first character of code 12000, is missing on
// purpose.
QList<CharacterRecord> fixtureRecords()
{
    const QStringList rows[] = {
        { QStringLiteral("峰"), QStringLiteral("10"), QStringLiteral("fēng") },
        { QStringLiteral("丨"), QStringLiteral("1"), QStringLiteral("shù") },
        { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī") },
        { QStringLiteral("十"), QStringLiteral("2"), QStringLiteral("shí") },
        { QStringLiteral("冂"), QStringLiteral("2"), QStringLiteral("jiōng") },
        { QStringLiteral("口"), QStringLiteral("3"), QStringLiteral("kǒu") },
        { QStringLiteral("二"), QStringLiteral("2"), QStringLiteral("èr") },
        { QStringLiteral("啊"), QStringLiteral("10"), QStringLiteral("a") },
        { QStringLiteral("阿"), QStringLiteral("7"), QStringLiteral("ā") },
        { QStringLiteral("幢"), QStringLiteral("15"), QStringLiteral("zhuàng") },
        { QStringLiteral("查"), QStringLiteral("9"), QStringLiteral("chá") },
        { QStringLiteral("呢"), QStringLiteral("8"), QStringLiteral("ne") },
    };
    QList<CharacterRecord> records;
    int seed = 0;
    for (const QStringList &row : rows)
        records.append({ row.at(0), row.at(1), row.at(2), pngBytes(fixturePicture(seed++)) });
    return records;
}

// The characters whose row holds exactly this field, read row by row from the table (each
// followed by one space, as the result box lists them).
QString charactersOf(tables::Segment segment, const QString &field)
{
    QString out;
    for (const QString &row : tables::segmentText(segment).split(QStringLiteral("\r\n"))) {
        if (row.size() > 1 && row.mid(1) == field)
            out += row.left(1) + QLatin1Char(' ');
    }
    return out;
}

QString syllableList(const QString &syllable)
{
    using tables::Segment;
    const QString field = syllable.leftJustified(6, QLatin1Char(' '));
    QString out;
    for (Segment s : { Segment::Text1bh1, Segment::Text1bh2, Segment::Text1bh3, Segment::Text1bh4,
             Segment::Text1bh5 })
        out += charactersOf(s, field);
    return out;
}

// Typing as an input method delivers it: the selection, if any, is replaced by the committed text.
void commitText(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Replaces the whole text of an edit field with one typed change.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        commitText(edit, text);
}

// Gives the activation back to the main window where the test platform leaves it with a closed
// popup or box; the window's focus child then takes the focus, as on a desktop.
void reactivate(QWidget *window)
{
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
}

// A pick from a drop-down's list: the list opens, the item is chosen and Enter pressed.
void pick(QComboBox &box, const QString &item)
{
    const int index = box.findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    box.showPopup();
    QAbstractItemView *view = box.view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    view->setCurrentIndex(box.model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
    reactivate(box.window());
}

#define PICK(box, item)                                                                            \
    do {                                                                                           \
        pick(box, item);                                                                           \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

bool recordShown(const Form1 &form)
{
    return form.Picture1.isVisibleTo(&form) && form.Label7.isVisibleTo(&form)
        && form.Label3.isVisibleTo(&form);
}

bool recordHidden(const Form1 &form)
{
    for (const QWidget *control :
        std::initializer_list<const QWidget *> { &form.Picture1, &form.Label23, &form.Label2,
            &form.Label9, &form.Label3, &form.Label6, &form.Label1, &form.Label13, &form.Label7 }) {
        if (control->isVisibleTo(&form))
            return false;
    }
    return true;
}

QComboBox &strokeBox(Form1 &form, int number)
{
    QComboBox *const boxes[]
        = { &form.Combo1, &form.Combo2, &form.Combo3, &form.Combo4, &form.Combo5 };
    return *boxes[number - 1];
}

} // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void roadOfAStrokeSearch();
    void helpExample();
    void strokePicks_data();
    void strokePicks();
    void codeBeginningWithZero();
    void typedTextCountsAsNoStroke_data();
    void typedTextCountsAsNoStroke();
    void sameItemTwice();
    void typingIntoADropDown();
    void flagAndKeyAfterStrokeSearches();
    void helpBox();

    void syllableEntry_data();
    void syllableEntry();
    void syllableTypedLetterByLetter();
    void syllablePickedFromTheList();
    void spacesOnlyChangeNothing();

private:
    std::optional<ProgramFolder> m_folder;
    RecordingOpener m_opener;
    std::unique_ptr<Form1> m_form;
};

void SearchWindowTest::initTestCase()
{
    m_folder.emplace();
    QCOMPARE(m_folder->writeDatabase(fixtureRecords()), QString());
    QCOMPARE(m_folder->writeCards(), QString());
    m_folder->writeList2(QStringLiteral("峰一口"));
}

void SearchWindowTest::init()
{
    m_form = startedWindow(*m_folder, m_opener);
    // the focus checks want the window active
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QVERIFY(!m_form->Timer2.isActive());
    QCOMPARE(m_form->Combo2.count(), 6);
}

void SearchWindowTest::cleanup()
{
    m_form.reset();
}

// A pick in the first drop-down, followed through the program: the code, the search that fills
// the result box, the flag and key, the record, the frame step and the focus, in this order.
void SearchWindowTest::roadOfAStrokeSearch()
{
    Form1 &f = *m_form;
    QStringList log;
    connect(&f.Text6, &QPlainTextEdit::textChanged, this, [&] {
        log << QStringLiteral("Text6 '%1' record %2")
                   .arg(f.Text6.text(), recordShown(f) ? u"shown" : u"hidden");
    });
    connect(&f.Text2bhw, &TextCell::changed, this, [&] {
        log << QStringLiteral("Text2bhw %1 (Text4 %2) Text6 '%3' Label20 %4")
                   .arg(f.Text2bhw.text(), f.Text4.text(), f.Text6.text(), f.Label20);
    });
    connect(&f.Text2bh, &TextCell::changed, this, [&] {
        log << QStringLiteral("Text2bh %1 Label20 %2 Text6 '%3'")
                   .arg(f.Text2bh.text(), f.Label20, f.Text6.text());
    });
    connect(&f.Data1, &RecordStore::currentChanged, this, [&] {
        log << QStringLiteral("record %1 Label10 %2 Label7 %3 Timer1 %4")
                   .arg(f.Data1.current().hz, f.Label10, f.Label7.text(),
                       f.Timer1.isActive() ? u"on" : u"off");
    });

    // 1. the user picks 丨 in the first drop-down
    PICK(f.Combo1, shu);

    const QStringList expected = {
        // 3. the search fills the result box inside the code's change; the box shows the record
        //    controls for a non-empty list
        QStringLiteral("Text6 '丨 ' record shown"),
        // 2. the code, written after it was built in Text4; the search has run to its end
        QStringLiteral("Text2bhw 20000 (Text4 20000) Text6 '丨 ' Label20 Label20"),
        // 4. the flag first, then the key box: the pinyin search leaves the list alone
        QStringLiteral("Text2bh 丨 Label20 1 Text6 '丨 '"),
        // 5. the first candidate's record, once; the new picture in the shown box starts the
        //    frame step, which then draws the frame and shows Label4
        QStringLiteral("record 丨 Label10 丨 Label7 1 Timer1 on"),
    };
    QCOMPARE(log, expected);
    QVERIFY(recordShown(f));
    QTRY_VERIFY(!f.Timer1.isActive());
    QVERIFY(f.Label4.isVisibleTo(&f));
    // 6. the focus in the result box, the caret right after the first candidate
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
    QCOMPARE(f.Text6.textCursor().position(), 1);
    QVERIFY(!f.Text6.textCursor().hasSelection());
}

void SearchWindowTest::helpExample()
{
    Form1 &f = *m_form;
    const QString strokes[] = { shu, zhe, shu, pie, shu };
    for (int i = 0; i < 5; ++i)
        PICK(strokeBox(f, i + 1), strokes[i]);

    QCOMPARE(f.Text2bhw.text(), QStringLiteral("25232"));
    QCOMPARE(f.Text6.text(), QStringLiteral("峰 刿 峁 峤 峥 嵛 "));
    QCOMPARE(f.Label10, QStringLiteral("峰"));
    QCOMPARE(f.Label7.text(), QStringLiteral("10"));
    QCOMPARE(f.Label3.text(), QStringLiteral("fēng"));
    QVERIFY(recordShown(f));
    QCOMPARE(f.Label20, QStringLiteral("1"));
    QCOMPARE(f.Text2bh.text(), QStringLiteral("峰"));
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
    QCOMPARE(f.Text6.textCursor().position(), 1);
    // 峰 is in the animation list
    QTRY_VERIFY(f.Label13.isVisibleTo(&f));
}

// Picks from left to right, each one searching: the code and the list after every pick, and the
// record after the last one ("" for none shown).
void SearchWindowTest::strokePicks_data()
{
    QTest::addColumn<QStringList>("picks"); // one per drop-down, from Combo1 on
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("lists");
    QTest::addColumn<QString>("record");

    QTest::newRow("一") << QStringList { heng } << QStringList { "10000" } << QStringList { "一 " }
                        << "一";
    QTest::newRow("一 丨: 丁 first, not in the database")
        << QStringList { heng, shu } << QStringList { "10000", "12000" }
        << QStringList { "一 ", "丁 十 " } << "";
    QTest::newRow("丨 乙") << QStringList { shu, zhe } << QStringList { "20000", "25000" }
                           << QStringList { "丨 ", "冂 " } << "冂";
    QTest::newRow("丨 乙 一") << QStringList { shu, zhe, heng }
                              << QStringList { "20000", "25000", "25100" }
                              << QStringList { "丨 ", "冂 ", "口 囗 " } << "口";
    QTest::newRow("丿 一: no such code")
        << QStringList { pie, heng } << QStringList { "30000", "31000" }
        << QStringList { charactersOf(tables::Segment::Text1bh3w, "30000"), "" } << "";
    QTest::newRow("一, blank, 丨")
        << QStringList { heng, blank, shu } << QStringList { "10000", "10000", "10200" }
        << QStringList { "一 ", "一 ", "" } << "";
}

void SearchWindowTest::strokePicks()
{
    QFETCH(QStringList, picks);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, lists);
    QFETCH(QString, record);
    Form1 &f = *m_form;

    for (int i = 0; i < picks.size(); ++i) {
        PICK(strokeBox(f, i + 1), picks.at(i));
        QCOMPARE(f.Text2bhw.text(), codes.at(i));
        QCOMPARE(f.Text6.text(), lists.at(i));
    }
    if (record.isEmpty()) {
        QVERIFY(recordHidden(f));
    } else {
        QCOMPARE(f.Label10, record);
        QVERIFY(recordShown(f));
    }
    if (!f.Text6.text().isEmpty()) {
        QCOMPARE(QApplication::focusWidget(), &f.Text6);
        QCOMPARE(f.Text6.textCursor().position(), 1);
        QCOMPARE(f.Text2bh.text(), f.Text6.text().left(1));
    }
}

// An empty first drop-down: no search, the list stays and its first character is looked up again.
void SearchWindowTest::codeBeginningWithZero()
{
    Form1 &f = *m_form;
    QLineEdit *edit = f.Combo1.lineEdit();

    // with nothing listed yet, nothing happens at all
    retype(edit, QStringLiteral("a"));
    QCOMPARE(f.Text2bhw.text(), QStringLiteral("00000"));
    QVERIFY(f.Text6.text().isEmpty());
    QCOMPARE(f.Label20, QStringLiteral("Label20"));
    QVERIFY(f.Combo1.hasFocus());

    PICK(f.Combo1, heng);
    QCOMPARE(f.Text6.text(), QStringLiteral("一 "));
    // another character's lookup hides the record (丁 has none)
    f.Text5.setFocus();
    f.Text5.setText(QStringLiteral("丁"));
    QVERIFY(recordHidden(f));
    QTRY_VERIFY(!f.Timer1.isActive());

    QSignalSpy listChanges(&f.Text6, &QPlainTextEdit::textChanged);
    retype(edit, QString());
    QCOMPARE(f.Text2bhw.text(), QStringLiteral("00000"));
    QCOMPARE(listChanges.count(), 0);
    QCOMPARE(f.Text6.text(), QStringLiteral("一 "));
    QCOMPARE(f.Label10, QStringLiteral("一"));
    QVERIFY(recordShown(f));
    // the picture came while Picture1 was hidden, and bian itself does not start the frame step
    QVERIFY(!f.Timer1.isActive());
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
    QCOMPARE(f.Text6.textCursor().position(), 1);
}

void SearchWindowTest::typedTextCountsAsNoStroke_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("list");

    QTest::newRow("digit 1") << "1"
                             << "10000"
                             << "一 ";
    QTest::newRow("letter") << "a"
                            << "10000"
                            << "一 ";
    QTest::newRow("two symbols") << "一一"
                                 << "10000"
                                 << "一 ";
    QTest::newRow("symbol after a space") << " 一"
                                          << "10000"
                                          << "一 ";
    QTest::newRow("empty") << ""
                           << "10000"
                           << "一 ";
    QTest::newRow("the symbol itself counts") << "一"
                                              << "11000"
                                              << "二 ";
}

// Typed into the second drop-down after 一 was picked in the first.
void SearchWindowTest::typedTextCountsAsNoStroke()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QString, list);
    Form1 &f = *m_form;

    PICK(f.Combo1, heng);
    QCOMPARE(f.Text6.text(), QStringLiteral("一 "));
    retype(f.Combo2.lineEdit(), typed);

    QCOMPARE(f.Combo2.currentText(), typed);
    QCOMPARE(f.Text2bhw.text(), code);
    QCOMPARE(f.Text6.text(), list);
    QCOMPARE(f.Label10, list.left(1));
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
}

// The same pick again searches nothing, but looks the first candidate up again and takes the
// focus back to the result box.
void SearchWindowTest::sameItemTwice()
{
    Form1 &f = *m_form;
    PICK(f.Combo1, shu);
    QCOMPARE(f.Text6.text(), QStringLiteral("丨 "));

    f.Data1.FindFirst(QStringLiteral("峰"));
    QCOMPARE(f.Label10, QStringLiteral("峰"));
    f.Text5.setFocus();
    QTextCursor caret = f.Text6.textCursor();
    caret.movePosition(QTextCursor::End);
    f.Text6.setTextCursor(caret);

    QSignalSpy codeChanges(&f.Text2bhw, &TextCell::changed);
    QSignalSpy listChanges(&f.Text6, &QPlainTextEdit::textChanged);
    QSignalSpy lookups(&f.Data1, &RecordStore::currentChanged);
    PICK(f.Combo1, shu);

    QCOMPARE(codeChanges.count(), 0);
    QCOMPARE(listChanges.count(), 0);
    QCOMPARE(lookups.count(), 1);
    QCOMPARE(f.Label10, QStringLiteral("丨"));
    QVERIFY(recordShown(f));
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
    QCOMPARE(f.Text6.textCursor().position(), 1);
}

// Each change of a drop-down's edit field that lists something takes the focus to the result
// box, also while the user types; the typed text stays where it was typed.
void SearchWindowTest::typingIntoADropDown()
{
    Form1 &f = *m_form;
    QLineEdit *first = f.Combo1.lineEdit();
    QTest::mouseClick(first, Qt::LeftButton);
    QVERIFY(f.Combo1.hasFocus());
    first->selectAll(); // the box holds one space
    commitText(first, shu);
    QCOMPARE(f.Combo1.currentText(), shu);
    QCOMPARE(f.Text6.text(), QStringLiteral("丨 "));
    QCOMPARE(QApplication::focusWidget(), &f.Text6);
    QCOMPARE(f.Text6.textCursor().position(), 1);
    QCOMPARE(f.Label10, shu);

    // back into the second box, typing key by key: the first stroke searches and leaves
    QLineEdit *second = f.Combo2.lineEdit();
    QTest::mouseClick(second, Qt::LeftButton);
    QVERIFY(f.Combo2.hasFocus());
    second->selectAll();
    commitText(second, zhe);
    QCOMPARE(f.Combo2.currentText(), zhe);
    QCOMPARE(f.Text2bhw.text(), QStringLiteral("25000"));
    QCOMPARE(f.Text6.text(), QStringLiteral("冂 "));
    QCOMPARE(QApplication::focusWidget(), &f.Text6);

    // the boxes keep their texts after the focus has gone and come back
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(f.Combo1.currentText(), shu);
    QCOMPARE(f.Combo2.currentText(), zhe);
    QCOMPARE(f.Text6.text(), QStringLiteral("冂 "));
    QVERIFY(f.Combo1.hasFocus());
}

void SearchWindowTest::flagAndKeyAfterStrokeSearches()
{
    Form1 &f = *m_form;
    PICK(f.Combo1, heng);
    QCOMPARE(f.Label20, QStringLiteral("1"));
    QCOMPARE(f.Text2bh.text(), heng);
    QCOMPARE(f.Text6.text(), QStringLiteral("一 "));

    // a syllable entry afterwards searches as usual
    retype(f.Combo6.lineEdit(), QStringLiteral("a"));
    QCOMPARE(f.Label20, QStringLiteral("2"));
    QCOMPARE(f.Text2bh.text(), QStringLiteral("a     "));
    QCOMPARE(f.Text6.text(), syllableList(QStringLiteral("a")));

    // a stroke search that lists nothing leaves both as they were
    PICK(f.Combo3, shu);
    QCOMPARE(f.Text2bhw.text(), QStringLiteral("10200"));
    QVERIFY(f.Text6.text().isEmpty());
    QCOMPARE(f.Label20, QStringLiteral("2"));
    QCOMPARE(f.Text2bh.text(), QStringLiteral("a     "));

    // a letter typed into the result box is the first candidate of a pick that searches nothing
    // (no first stroke): it goes into the key box as a character, not as a syllable to search
    f.Text6.setFocus(Qt::MouseFocusReason);
    commitText(&f.Text6, QStringLiteral("a"));
    retype(f.Combo1.lineEdit(), QString());
    QCOMPARE(f.Text2bhw.text(), QStringLiteral("00200"));
    QCOMPARE(f.Label20, QStringLiteral("1"));
    QCOMPARE(f.Text2bh.text(), QStringLiteral("a"));
    QCOMPARE(f.Text6.text(), QStringLiteral("a"));
}

void SearchWindowTest::helpBox()
{
    Form1 &f = *m_form;
    PICK(f.Combo1, heng);
    QCOMPARE(QApplication::focusWidget(), &f.Text6);

    QString title, text;
    QList<QAbstractButton *> buttons;
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Question;
    bool modal = false;
    QWidget *focusWhileShown = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        buttons = box->buttons();
        button = buttons.size() == 1 ? box->standardButton(buttons.first()) : QMessageBox::NoButton;
        icon = box->icon();
        modal = box->isModal();
        focusWhileShown = f.focusWidget();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
    QTest::mouseClick(&f.Command8, Qt::LeftButton);

    QCOMPARE(title, QStringLiteral("笔画输入提示！"));
    QCOMPARE(text,
        QStringLiteral(
            "笔画输入方法是：汉字第一笔画＋第二笔画＋第三笔画＋第四笔画＋最后一笔画；\n\r\n\r"
            "例如，你要输入“峰”字，用鼠标选择输入“丨”“乙”“丨”“丿”“丨”\n\r\n\r"
            "注意，乙笔画代表所有的“折”笔画！\n\r"));
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(button, QMessageBox::Ok);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QVERIFY(modal);
    QCOMPARE(focusWhileShown, &f.Text5);
    QCOMPARE(f.focusWidget(), &f.Text5);
    reactivate(&f);
    QCOMPARE(QApplication::focusWidget(), &f.Text5);
}

// One syllable typed (a single change replacing the edit text) after the earlier entries, with the
// record moved to 峰 just before it, so a lookup shows.
void SearchWindowTest::syllableEntry_data()
{
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("record"); // Label10 afterwards
    QTest::addColumn<QString>("pinyin"); // Label3 afterwards

    const QString a = syllableList(QStringLiteral("a"));
    const QString zhuang = syllableList(QStringLiteral("zhuang"));

    QTest::newRow("a: rows of exactly a") << QStringList {} << "a"
                                          << "a     " << a << "啊"
                                          << "a";
    QTest::newRow("six letters, unpadded") << QStringList {} << "zhuang"
                                           << "zhuang" << zhuang << "幢"
                                           << "zhuàng";
    QTest::newRow("spaces around") << QStringList {} << "  zhuang "
                                   << "zhuang" << zhuang << "幢"
                                   << "zhuàng";
    QTest::newRow("seven letters keep the key") << QStringList { QStringLiteral("a") } << "zhuangs"
                                                << "a     " << a << "啊"
                                                << "a";
    QTest::newRow("upper case is read as lower case")
        << QStringList { QStringLiteral("zhuang") } << "A"
        << "a     " << a << "啊"
        << "a";
    QTest::newRow("digit selects no group") << QStringList { QStringLiteral("a") } << "1"
                                            << "1     " << a << "啊"
                                            << "a";
    QTest::newRow("i") << QStringList { QStringLiteral("a") } << "i"
                       << "i     "
                       << ""
                       << "峰"
                       << "fēng";
    QTest::newRow("u") << QStringList { QStringLiteral("a") } << "u"
                       << "u     "
                       << ""
                       << "峰"
                       << "fēng";
    QTest::newRow("v, read as u") << QStringList { QStringLiteral("a") } << "v"
                                  << "u     "
                                  << ""
                                  << "峰"
                                  << "fēng";
    // every reading of the character, the one searched for first
    QTest::newRow("ni: ní before ne") << QStringList {} << "ni"
                                      << "ni    " << syllableList(QStringLiteral("ni")) << "呢"
                                      << "ní ne";
    QTest::newRow("the same key again") << QStringList { QStringLiteral("a") } << "a "
                                        << "a     " << a << "啊"
                                        << "a";
}

void SearchWindowTest::syllableEntry()
{
    QFETCH(QStringList, earlier);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QString, list);
    QFETCH(QString, record);
    QFETCH(QString, pinyin);
    Form1 &f = *m_form;
    QLineEdit *edit = f.Combo6.lineEdit();

    for (const QString &syllable : earlier)
        retype(edit, syllable);
    f.Data1.FindFirst(QStringLiteral("峰"));
    QCOMPARE(f.Label10, QStringLiteral("峰"));

    retype(edit, typed);
    QCOMPARE(f.Label20, QStringLiteral("2"));
    QCOMPARE(f.Text2bh.text(), key);
    QCOMPARE(f.Text6.text(), list);
    QCOMPARE(f.Label10, record);
    QCOMPARE(f.Label3.text(), pinyin);
    if (list.isEmpty())
        QVERIFY(recordHidden(f));
    // the pinyin search leaves the focus where it is
    QCOMPARE(QApplication::focusWidget(), edit);
}

// Every keystroke searches: "z" and "zh" are no syllables, "zha" is.
void SearchWindowTest::syllableTypedLetterByLetter()
{
    Form1 &f = *m_form;
    QLineEdit *edit = f.Combo6.lineEdit();
    retype(edit, QStringLiteral("a"));
    QCOMPARE(f.Text6.text(), syllableList(QStringLiteral("a")));
    edit->clear();

    const QString expected[] = { QString(), QString(), syllableList(QStringLiteral("zha")) };
    QVERIFY(!expected[2].isEmpty());
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(edit, "zha"[i]);
        QCOMPARE(edit->text(), QStringLiteral("zha").left(i + 1));
        QCOMPARE(f.Text2bh.text(), edit->text().leftJustified(6, QLatin1Char(' ')));
        QCOMPARE(f.Text6.text(), expected[i]);
    }
    QCOMPARE(f.Label10, QStringLiteral("查"));
    QVERIFY(recordShown(f));
}

// A pick from the list runs the entry once, through Click.
void SearchWindowTest::syllablePickedFromTheList()
{
    Form1 &f = *m_form;
    PICK(f.Combo1, shu);
    QCOMPARE(f.Label20, QStringLiteral("1"));

    QListWidget *list = f.Combo6.listWidget();
    QListWidgetItem *item = list->findItems(QStringLiteral("a"), Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QSignalSpy lookups(&f.Data1, &RecordStore::currentChanged);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());

    QCOMPARE(f.Combo6.currentText(), QStringLiteral("a"));
    QCOMPARE(f.Label20, QStringLiteral("2"));
    QCOMPARE(f.Text2bh.text(), QStringLiteral("a     "));
    QCOMPARE(f.Text6.text(), syllableList(QStringLiteral("a")));
    QCOMPARE(lookups.count(), 1);
    QCOMPARE(f.Label10, QStringLiteral("啊"));
    QVERIFY(recordShown(f));
}

void SearchWindowTest::spacesOnlyChangeNothing()
{
    Form1 &f = *m_form;
    PICK(f.Combo1, shu);
    f.Data1.FindFirst(QStringLiteral("峰"));

    QSignalSpy lookups(&f.Data1, &RecordStore::currentChanged);
    retype(f.Combo6.lineEdit(), QStringLiteral("   "));
    QCOMPARE(f.Label20, QStringLiteral("1"));
    QCOMPARE(f.Text2bh.text(), shu);
    QCOMPARE(f.Text6.text(), QStringLiteral("丨 "));
    QCOMPARE(lookups.count(), 0);
    QCOMPARE(f.Label10, QStringLiteral("峰"));
}

QTEST_MAIN(SearchWindowTest)
#include "tst_searchwindow.moc"
