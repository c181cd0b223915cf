// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcontroller.h"

#include "sheetdialog.h"
#include "sheetrenderer.h"
#include "sheetslog.h"

#include <QAbstractButton>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace sheets {

namespace {

// Qt's own file dialog (the save dialog, and the print dialog's file browser) keeps its history
// in the user's QtProject.conf. The program writes no settings: while one of Qt's dialogs is
// open, Qt's user settings live in a temporary folder, removed afterwards.
class PrivateQtSettings {
public:
    PrivateQtSettings()
    {
        if (m_dir.isValid())
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }
    ~PrivateQtSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    PrivateQtSettings(const PrivateQtSettings &) = delete;
    PrivateQtSettings &operator=(const PrivateQtSettings &) = delete;

private:
    QTemporaryDir m_dir;
};

// A modal progress dialog for a long write or print: shown after a moment, its 取消 stops the
// pages after the one being drawn. The PageProgress to pass to paintSheet or writePdf.
class PagesProgress {
public:
    PagesProgress(QWidget *parent, const QString &label)
        : m_dialog(label, QStringLiteral("取消"), 0, 1, parent)
    {
        m_dialog.setWindowTitle(QStringLiteral("练字帖"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }
    PageProgress callback()
    {
        return [this](int done, int total) {
            m_dialog.setMaximum(total);
            m_dialog.setValue(done); // modal: handles the events, 取消 among them
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

// The print dialog's output-file field completes names through a file-system model that looks
// into the files it lists to pick their icons: /proc/kmsg and the like would block the window.
// The field keeps no completer.
void dropFileNameCompleter(QPrintDialog &dialog)
{
    for (QLineEdit *field : dialog.findChildren<QLineEdit *>()) {
        // the field deletes a completer of its own itself
        const QPointer<QCompleter> completer = field->completer();
        field->setCompleter(nullptr);
        delete completer;
    }
    // the model it completed from: it watches the home folder and reads file types
    qDeleteAll(dialog.findChildren<QFileSystemModel *>());
}

} // namespace

SheetController::SheetController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    if (c.Command10)
        connect(c.Command10, &QAbstractButton::clicked, this, &SheetController::Command10_Click);
    m_loading.setSingleShot(true);
    m_loading.setInterval(0);
    connect(&m_loading, &QTimer::timeout, this, &SheetController::loadSlice);
}

SheetController::~SheetController() = default;

SheetDialog *SheetController::dialog() const
{
    return m_dialog;
}

void SheetController::Command10_Click()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    if (!m_store.isOpen())
        m_store.open(c.databaseFile);
    m_loaded.clear();
    m_dialog = new SheetDialog(c.window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_options = m_dialog->options();
    m_dialog->characters.setText(c.shownCharacter ? c.shownCharacter() : QString());
    wireDialog();
    characters_Change();
    m_dialog->show();
}

void SheetController::wireDialog()
{
    SheetDialog *d = m_dialog;
    connect(&d->characters, &QLineEdit::textChanged, this, [this] { characters_Change(); });
    const auto changed = [this] { options_Change(); };
    connect(&d->grid, &QComboBox::currentIndexChanged, this, changed);
    connect(&d->paper, &QComboBox::currentIndexChanged, this, changed);
    connect(&d->cellSize, &QSpinBox::valueChanged, this, changed);
    connect(&d->cellSize, &QSpinBox::valueChanged, this, [this] { cellSize_Edited(false); });
    if (auto *cellText = d->cellSize.findChild<QLineEdit *>())
        connect(cellText, &QLineEdit::textEdited, this, [this] { cellSize_Edited(false); });
    connect(&d->cellSize, &QSpinBox::editingFinished, this, [this] { cellSize_Edited(true); });
    connect(&d->tracing, &QSpinBox::valueChanged, this, changed);
    connect(&d->extraRows, &QSpinBox::valueChanged, this, changed);
    connect(&d->pinyin, &QCheckBox::toggled, this, changed);
    connect(&d->landscape, &QCheckBox::toggled, this, changed);
    connect(&d->title, &QLineEdit::textChanged, this, changed);
    connect(&d->printButton, &QPushButton::clicked, this, [this] { printButton_Click(); });
    connect(&d->saveButton, &QPushButton::clicked, this, [this] { saveButton_Click(); });
}

void SheetController::characters_Change()
{
    if (!m_dialog)
        return;
    QString text = m_dialog->characters.text();
    if (text.size() > maxInputLength) {
        // a pair beyond the Basic Multilingual Plane is kept whole or not at all
        text.truncate(
            text.at(maxInputLength - 1).isHighSurrogate() ? maxInputLength - 1 : maxInputLength);
        m_cut = true;
        m_dialog->characters.setText(text); // runs this again with the text cut
        return;
    }
    m_cut = m_cut && text.size() >= maxInputLength - 1;
    loadSlice();
}

void SheetController::loadSlice()
{
    if (!m_dialog)
        return;
    // A slice of reading holds the window for about this long; a short text is read at once.
    constexpr int sliceMs = 40;
    constexpr int charactersAtOnce = 8;
    const QString text = m_dialog->characters.text();
    if (!loadIntoCache(m_store, text, m_loaded, charactersAtOnce, QDeadlineTimer(sliceMs))) {
        // the rest in the next turns of the event loop; meanwhile nothing half-read is printed
        m_dialog->printButton.setEnabled(false);
        m_dialog->saveButton.setEnabled(false);
        m_loading.start();
        return;
    }
    m_loading.stop();
    m_characters = loadCharacters(m_store, text, &m_loaded);
    QStringList notes;
    if (m_cut)
        notes.append(QStringLiteral("最多 %1 个字，只保留了前 %1 个。").arg(maxInputLength));
    if (!m_characters.missing.isEmpty())
        notes.append(QStringLiteral("没有笔顺数据，已略去：%1")
                         .arg(m_characters.missing.join(QStringLiteral(" "))));
    m_dialog->missing.setText(notes.join(u'\n'));
    m_dialog->missing.setVisible(!notes.isEmpty());
    const bool any = !m_characters.usable.isEmpty();
    m_dialog->printButton.setEnabled(any);
    m_dialog->saveButton.setEnabled(any);
    m_dialog->preview.setSheet(m_options, m_characters.usable);
}

void SheetController::options_Change()
{
    if (!m_dialog)
        return;
    m_options = m_dialog->options();
    m_dialog->preview.setSheet(m_options, m_characters.usable);
}

// A size typed out of range is marked at once; when the field is left, Qt's spin box keeps the
// previous value, and the mark says so.
void SheetController::cellSize_Edited(bool finished)
{
    if (!m_dialog)
        return;
    const QSpinBox &box = m_dialog->cellSize;
    QLabel &note = m_dialog->cellSizeNote;
    const QString range
        = QStringLiteral("格子大小须在 %1 到 %2 mm 之间").arg(box.minimum()).arg(box.maximum());
    if (finished) {
        if (!note.isHidden())
            note.setText(range + QStringLiteral("，仍为 %1 mm。").arg(box.value()));
        return;
    }
    bool number = false;
    const int typed = box.cleanText().toInt(&number);
    if (number && typed >= box.minimum() && typed <= box.maximum()) {
        note.hide();
        return;
    }
    note.setText(range + QStringLiteral("。"));
    note.show();
}

void SheetController::printButton_Click()
{
    if (!m_dialog || m_characters.usable.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(m_options));
    printer.setDocName(suggestedFileName(m_characters.usable).chopped(4));
    const PrivateQtSettings privateSettings;
    QPrintDialog dialog(&printer, m_dialog);
    dialog.setWindowTitle(QStringLiteral("打印练字帖"));
    dropFileNameCompleter(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PagesProgress progress(m_dialog, QStringLiteral("正在打印…"));
    const PaintResult result
        = paintSheet(printer, m_options, m_characters.usable, progress.callback());
    if (result == PaintResult::Cancelled) {
        printer.abort();
        return;
    }
    if (result == PaintResult::Failed) {
        qCWarning(sheetsLog) << "practice sheet: cannot print to" << printer.printerName()
                             << printer.outputFileName();
        QMessageBox::warning(m_dialog, QStringLiteral("练字帖"), QStringLiteral("无法打印。"));
    }
}

void SheetController::saveButton_Click()
{
    if (!m_dialog || m_characters.usable.isEmpty())
        return;
    const QString suggested = QDir::home().filePath(suggestedFileName(m_characters.usable));
    const PrivateQtSettings privateSettings;
    const QString path = QFileDialog::getSaveFileName(
        m_dialog, QStringLiteral("保存为 PDF"), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    PagesProgress progress(m_dialog, QStringLiteral("正在保存 PDF…"));
    bool cancelled = false;
    const QString error = writePdf(path, m_options, m_characters.usable,
        QCoreApplication::applicationDirPath(), progress.callback(), &cancelled);
    if (!error.isEmpty()) {
        QMessageBox::warning(m_dialog, QStringLiteral("练字帖"), error);
        return;
    }
    if (m_dialog && !cancelled) {
        m_dialog->saved.setText(QStringLiteral("已保存：%1").arg(QDir::toNativeSeparators(path)));
        m_dialog->saved.show();
    }
}

} // namespace sheets
