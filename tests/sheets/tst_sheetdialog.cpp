// SPDX-License-Identifier: GPL-3.0-or-later
// The practice-sheet dialog and its controller, offscreen, over this build's Photo.mdb.
#include "sheetcontroller.h"
#include "sheetdialog.h"

#include <QTest>

using namespace sheets;

class SheetDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
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

    // A closed dialog is gone; the next one starts from the defaults.
    void reopensWithTheDefaults()
    {
        SheetDialog *dialog = m_controller->dialog();
        dialog->grid.setCurrentIndex(2);
        dialog->tracing.setValue(0);
        dialog->close();
        QTRY_VERIFY(!m_controller->dialog());
        m_controller->Command10_Click();
        QCOMPARE(m_controller->dialog()->options().grid, Grid::Tian);
        QCOMPARE(m_controller->dialog()->options().tracing, 3);
    }

private:
    std::optional<QWidget> m_window;
    std::optional<SheetController> m_controller;
};

QTEST_MAIN(SheetDialogTest)
#include "tst_sheetdialog.moc"
