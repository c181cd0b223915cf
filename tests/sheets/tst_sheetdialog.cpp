// SPDX-License-Identifier: GPL-3.0-or-later
// The practice-sheet dialog and its controller, offscreen, over this build's Photo.mdb.
#include "sheetcontroller.h"
#include "sheetdialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace sheets;

class SheetDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // each test with a configuration folder of its own, never the user's
    void init()
    {
        m_config.emplace();
        QVERIFY(m_config->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config->path());
        m_window.emplace();
        m_controller.emplace(SheetController::Controls { .window = &*m_window,
            .databaseFile = QStringLiteral(ZIBRIN_BUILD_DIR "/Photo.mdb"),
            .shownCharacter = [] { return QStringLiteral("永"); } });
        m_controller->Command10_Click();
        QVERIFY(m_controller->dialog());
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->dialog()));
    }
    void cleanup()
    {
        m_controller.reset();
        m_window.reset();
    }

    void opensWithTheShownCharacter()
    {
        SheetDialog *dialog = m_controller->dialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("练字帖"));
        QCOMPARE(dialog->characters.text(), QStringLiteral("永"));
        QCOMPARE(m_controller->characters().usable.size(), 1);
        QCOMPARE(m_controller->characters().usable.first().strokes.size(), 5);
        QVERIFY(dialog->missing.isHidden());
        QVERIFY(dialog->printButton.isEnabled());
        QCOMPARE(dialog->preview.pageCount(), 1);
    }

    // Each grid draws a preview of its own.
    void gridRedrawsThePreview()
    {
        SheetDialog *dialog = m_controller->dialog();
        QList<QImage> shown { dialog->preview.grab().toImage() };
        for (int grid : { 1, 2 }) {
            dialog->grid.setCurrentIndex(grid);
            QTRY_VERIFY(!shown.contains(dialog->preview.grab().toImage()));
            shown.append(dialog->preview.grab().toImage());
        }
    }

    // More characters make more pages; one without a record is named and left out, and where
    // none is left the sheet cannot be printed or saved.
    void unknownCharacterIsNamed()
    {
        SheetDialog *dialog = m_controller->dialog();
        dialog->characters.setText(QStringLiteral("永𠀀山，永x"));
        QCOMPARE(m_controller->characters().usable.size(), 2);
        QVERIFY(dialog->missing.isVisibleTo(dialog));
        QVERIFY2(dialog->missing.text().contains(QStringLiteral("𠀀 x")),
            qPrintable(dialog->missing.text()));
        QVERIFY(!dialog->missing.text().contains(QStringLiteral("山")));

        dialog->extraRows.setValue(5);
        dialog->cellSize.setValue(30);
        QCOMPARE(dialog->preview.pageCount(), 2);

        dialog->characters.setText(QStringLiteral("𠀀"));
        QVERIFY(m_controller->characters().usable.isEmpty());
        QVERIFY(!dialog->printButton.isEnabled());
        QVERIFY(!dialog->saveButton.isEnabled());
    }

    // More than 300 characters are cut to 300, and the dialog says so until the text is shorter.
    void longTextIsCutAndSaid()
    {
        SheetDialog *dialog = m_controller->dialog();
        dialog->characters.setText(QString(200, u'永') + QString(200, u'山'));
        QCOMPARE(dialog->characters.text().size(), maxInputLength);
        QCOMPARE(m_controller->characters().usable.size(), 2);
        QVERIFY(dialog->missing.isVisibleTo(dialog));
        QVERIFY2(dialog->missing.text().contains(QStringLiteral("只保留了前 300 个")),
            qPrintable(dialog->missing.text()));
        dialog->characters.setText(QStringLiteral("永"));
        QVERIFY(dialog->missing.isHidden());
    }

    void cellSizeOutOfRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value"); // afterwards
        QTest::addColumn<QString>("note"); // "" for none
        QTest::newRow("9") << QStringLiteral("9") << 18
                           << QStringLiteral("格子大小须在 10 到 30 mm 之间，仍为 18 mm。");
        QTest::newRow("31") << QStringLiteral("31") << 18
                            << QStringLiteral("格子大小须在 10 到 30 mm 之间，仍为 18 mm。");
        QTest::newRow("20") << QStringLiteral("20") << 20 << QString();
    }
    // A size typed out of range is marked, and the mark names the size kept.
    void cellSizeOutOfRange()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, note);
        SheetDialog *dialog = m_controller->dialog();
        dialog->cellSize.setFocus();
        QTest::keyClick(&dialog->cellSize, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&dialog->cellSize, typed);
        QCOMPARE(dialog->cellSizeNote.isVisibleTo(dialog), !note.isEmpty());
        dialog->characters.setFocus(); // leaving the field
        QTRY_VERIFY(!dialog->cellSize.hasFocus());
        QCOMPARE(dialog->cellSize.value(), value);
        QCOMPARE(dialog->cellSizeNote.isVisibleTo(dialog), !note.isEmpty());
        if (!note.isEmpty())
            QCOMPARE(dialog->cellSizeNote.text(), note);
    }

    // Saved as PDF, the file is named in the dialog.
    void savedFileIsNamed()
    {
        SheetDialog *dialog = m_controller->dialog();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QTimer::singleShot(0, dialog, [path] {
            QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            files->selectFile(path);
            QMetaObject::invokeMethod(files, "accept");
        });
        QVERIFY(dialog->saved.isHidden());
        dialog->saveButton.click();
        QVERIFY(QFile::exists(path));
        QVERIFY(dialog->saved.isVisibleTo(dialog));
        QCOMPARE(dialog->saved.text(), QStringLiteral("已保存：") + path);
    }

    // The first opening shows the defaults; a closed dialog is gone, and the next one opens with
    // the choices it was closed with, kept in the configuration folder and nowhere else.
    void reopensWithTheLastChoices()
    {
        SheetDialog *dialog = m_controller->dialog();
        QCOMPARE(dialog->options().grid, Grid::Tian);
        QCOMPARE(dialog->options().tracing, 3);
        QCOMPARE(dialog->options().tracingColour, TracingColour::Grey);
        dialog->grid.setCurrentIndex(2);
        dialog->tracing.setValue(0);
        dialog->tracingColour.setCurrentIndex(1);
        dialog->strokeNames.setChecked(false);
        dialog->title.setText(QStringLiteral("第三课"));
        dialog->close();
        QTRY_VERIFY(!m_controller->dialog());
        QCOMPARE(QDir(m_config->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList { QStringLiteral("Zibrin") });
        m_controller->Command10_Click();
        const SheetOptions options = m_controller->dialog()->options();
        QCOMPARE(options.grid, Grid::Square);
        QCOMPARE(options.tracing, 0);
        QCOMPARE(options.tracingColour, TracingColour::Red);
        QVERIFY(!options.strokeNames);
        QCOMPARE(options.title, QStringLiteral("第三课"));
    }

    // The sheet choice: the dictation sheet takes words, hides the practice sheet's controls,
    // draws a preview of its own and gets its answer page.
    void sheetChoiceSwitchesThePreview()
    {
        SheetDialog *dialog = m_controller->dialog();
        dialog->characters.setText(QStringLiteral("银行 快乐"));
        const QImage practice = dialog->preview.grab().toImage();
        QVERIFY(!dialog->answers.isVisibleTo(dialog));
        dialog->sheetKind.setCurrentIndex(1);
        QCOMPARE(m_controller->words().usable.size(), 2);
        QCOMPARE(dialog->title.text(), QStringLiteral("看拼音写词语"));
        QVERIFY(dialog->answers.isVisibleTo(dialog));
        QVERIFY(!dialog->model.isVisibleTo(dialog));
        QTRY_VERIFY(dialog->preview.grab().toImage() != practice);
        QCOMPARE(dialog->preview.pageCount(), 1);
        dialog->answers.setChecked(true);
        QCOMPARE(dialog->preview.pageCount(), 2);
        // the box beside the words: the card's first word for each character typed, one without
        // a card named
        dialog->characters.setText(QStringLiteral("银x"));
        dialog->wordsFromCard.setChecked(true);
        QCOMPARE(m_controller->words().usable.size(), 1);
        QCOMPARE(m_controller->words().usable.first().word, QStringLiteral("银行"));
        QVERIFY2(dialog->missing.text().contains(u'x'), qPrintable(dialog->missing.text()));
        dialog->wordsFromCard.setChecked(false);
        dialog->characters.setText(QStringLiteral("银行 快乐"));
        dialog->sheetKind.setCurrentIndex(0);
        QCOMPARE(dialog->title.text(), QStringLiteral("练字帖"));
        QCOMPARE(m_controller->characters().usable.size(), 4);
    }

private:
    std::optional<QTemporaryDir> m_config;
    std::optional<QWidget> m_window;
    std::optional<SheetController> m_controller;
};

QTEST_MAIN(SheetDialogTest)
#include "tst_sheetdialog.moc"
