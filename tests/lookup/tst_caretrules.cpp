// SPDX-License-Identifier: GPL-3.0-or-later
// Which character the input box and the result box look up, from their text and caret.
#include "caretrules.h"

#include <QTest>

class CaretRulesTest : public QObject {
    Q_OBJECT
private slots:
    void inputBoxChange_data();
    void inputBoxChange();
    void inputBoxCaret_data();
    void inputBoxCaret();
    void resultBoxKey_data();
    void resultBoxKey();
    void resultBoxClick_data();
    void resultBoxClick();
};

void CaretRulesTest::inputBoxChange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("character"); // "" for no lookup
    QTest::newRow("one character") << "峰"
                                   << "峰";
    QTest::newRow("only spaces: nothing") << "   "
                                          << "";
    QTest::newRow("trailing space left aside") << "国 "
                                               << "国";
    QTest::newRow("pasted with its line end") << "山\n"
                                              << "山";
    QTest::newRow("pasted with a Windows line end and a tab") << "山\r\n\t"
                                                              << "山";
    QTest::newRow("full stop and ideographic space after it") << "山。\u3000"
                                                              << "山";
    QTest::newRow("closing quote after a comma") << "高山，”"
                                                 << "山";
    QTest::newRow("punctuation alone: its last mark") << "，。 "
                                                      << "。";
    QTest::newRow("only white space: nothing") << " \n\t"
                                               << "";
    QTest::newRow("non-BMP character whole") << "中𠀀"
                                             << "𠀀";
}

void CaretRulesTest::inputBoxChange()
{
    QFETCH(QString, text);
    QFETCH(QString, character);
    QCOMPARE(caretrules::inputBoxChangeCharacter(text), character);
}

void CaretRulesTest::inputBoxCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("character");
    QTest::newRow("before 中") << "中国" << 0 << "中";
    QTest::newRow("after 国, at the end") << "中国" << 2 << "国";
    QTest::newRow("at the end") << "国中" << 2 << "中";
    QTest::newRow("at the start") << "国中" << 0 << "国";
    QTest::newRow("before a non-BMP pair") << "中𠀀" << 1 << "𠀀";
    QTest::newRow("at the end, after a line end") << "中国\n" << 3 << "国";
}

void CaretRulesTest::inputBoxCaret()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, character);
    QCOMPARE(caretrules::inputBoxCaretCharacter(text, caret), character);
}

void CaretRulesTest::resultBoxKey_data()
{
    QTest::addColumn<int>("caret"); // in "中 国 "
    QTest::addColumn<QString>("character");
    QTest::newRow("after 中") << 1 << "中";
    QTest::newRow("at the start: nothing") << 0 << "";
    QTest::newRow("after a space looks up the space") << 2 << " ";
}

void CaretRulesTest::resultBoxKey()
{
    QFETCH(int, caret);
    QFETCH(QString, character);
    QCOMPARE(caretrules::resultBoxKeyCharacter(QStringLiteral("中 国 "), caret), character);
}

void CaretRulesTest::resultBoxClick_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start"); // the selection the click left
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("selectedStart"); // and the one it becomes
    QTest::addColumn<int>("selectedLength");
    QTest::newRow("on 国") << "中 国 " << 2 << 0 << 2 << 1;
    QTest::newRow("on the space after 国: 国") << "中 国 " << 3 << 0 << 2 << 1;
    QTest::newRow("at the end: nothing") << "中 国 " << 4 << 0 << 4 << 0;
    QTest::newRow("a space at the start: nothing") << " 中 " << 0 << 0 << 0 << 0;
    QTest::newRow("on the space after a non-BMP pair") << "𠀀 " << 2 << 0 << 0 << 2;
    QTest::newRow("a dragged selection stays") << "中 国 " << 0 << 3 << 0 << 3;
}

void CaretRulesTest::resultBoxClick()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, selectedStart);
    QFETCH(int, selectedLength);
    const caretrules::Selection selected
        = caretrules::resultBoxClickSelection(text, { start, length });
    QCOMPARE(selected.start, selectedStart);
    QCOMPARE(selected.length, selectedLength);
}

QTEST_GUILESS_MAIN(CaretRulesTest)
#include "tst_caretrules.moc"
