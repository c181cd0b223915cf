// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcontroller.h"

#include "cardstore.h"
#include "dictationrenderer.h"
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
// in the user's QtProject.conf. The program writes no settings but the sheet dialog's own
// (userSettings): while one of Qt's dialogs is open, Qt's user settings live in a temporary
// folder, removed afterwards.
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

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zibrin"),
        QStringLiteral("Zibrin"));
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
    if (!m_cards)
        m_cards = std::make_unique<card::CardStore>(cardFileBeside(c.databaseFile));
    m_dialog = new SheetDialog(c.window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    restoreSettings();
    m_options = m_dialog->options();
    m_dictationOptions = m_dialog->dictationOptions();
    m_dictation = m_dialog->isDictation();
    m_dialog->characters.setText(c.shownCharacter ? c.shownCharacter() : QString());
    wireDialog();
    characters_Change();
    m_dialog->show();
}

namespace {
const QString groupKey = QStringLiteral("sheets/");
}

void SheetController::saveSettings() const
{
    if (!m_dialog)
        return;
    const SheetDialog &d = *m_dialog;
    QSettings settings = userSettings();
    settings.beginGroup(QStringLiteral("sheets"));
    settings.setValue(QStringLiteral("sheet"), d.sheetKind.currentIndex());
    settings.setValue(QStringLiteral("grid"), d.grid.currentIndex());
    settings.setValue(QStringLiteral("cell"), d.cellSize.value());
    settings.setValue(QStringLiteral("tracing"), d.tracing.value());
    settings.setValue(QStringLiteral("tracingColour"), d.tracingColour.currentIndex());
    settings.setValue(QStringLiteral("rows"), d.extraRows.value());
    settings.setValue(QStringLiteral("paper"), d.paper.currentIndex());
    settings.setValue(QStringLiteral("landscape"), d.landscape.isChecked());
    settings.setValue(QStringLiteral("pinyin"), d.pinyin.isChecked());
    settings.setValue(QStringLiteral("model"), d.model.isChecked());
    settings.setValue(QStringLiteral("strokeNames"), d.strokeNames.isChecked());
    settings.setValue(QStringLiteral("info"), d.info.isChecked());
    settings.setValue(QStringLiteral("words"), d.words.value());
    settings.setValue(QStringLiteral("keepRepeats"), d.keepRepeats.isChecked());
    settings.setValue(QStringLiteral("classField"), d.classField.isChecked());
    settings.setValue(QStringLiteral("answers"), d.answers.isChecked());
    settings.setValue(QStringLiteral("wordsFromCard"), d.wordsFromCard.isChecked());
    settings.setValue(QStringLiteral("title"), d.title.text());
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(sheetsLog) << "practice sheet: cannot keep the settings in"
                             << settings.fileName();
}

void SheetController::restoreSettings()
{
    if (!m_dialog)
        return;
    SheetDialog &d = *m_dialog;
    const QSettings settings = userSettings();
    // each value through its control, which keeps it within its range
    const auto number = [&](const char *key, int fallback) {
        bool ok = false;
        const int value = settings.value(groupKey + QLatin1String(key)).toInt(&ok);
        return ok ? value : fallback;
    };
    const auto flag = [&](const char *key, bool fallback) {
        const QVariant value = settings.value(groupKey + QLatin1String(key));
        return value.isValid() ? value.toBool() : fallback;
    };
    const auto choose = [&](QComboBox &box, const char *key) {
        const int index = number(key, box.currentIndex());
        if (index >= 0 && index < box.count())
            box.setCurrentIndex(index);
    };
    choose(d.sheetKind, "sheet");
    choose(d.grid, "grid");
    choose(d.tracingColour, "tracingColour");
    choose(d.paper, "paper");
    d.cellSize.setValue(number("cell", d.cellSize.value()));
    d.tracing.setValue(number("tracing", d.tracing.value()));
    d.extraRows.setValue(number("rows", d.extraRows.value()));
    d.words.setValue(number("words", d.words.value()));
    for (const auto &[box, key] :
        std::initializer_list<std::pair<QCheckBox *, const char *>> { { &d.landscape, "landscape" },
            { &d.pinyin, "pinyin" }, { &d.model, "model" }, { &d.strokeNames, "strokeNames" },
            { &d.info, "info" }, { &d.keepRepeats, "keepRepeats" }, { &d.classField, "classField" },
            { &d.answers, "answers" }, { &d.wordsFromCard, "wordsFromCard" } })
        box->setChecked(flag(key, box->isChecked()));
    const QVariant title = settings.value(groupKey + QStringLiteral("title"));
    if (title.isValid())
        d.title.setText(title.toString().left(maxTitleLength));
    d.showSheetKind();
}

bool SheetController::hasContent() const
{
    return m_dictation ? !m_words.usable.isEmpty() : !m_characters.usable.isEmpty();
}

void SheetController::wireDialog()
{
    SheetDialog *d = m_dialog;
    connect(d, &QDialog::finished, this, [this] { saveSettings(); });
    connect(&d->characters, &QLineEdit::textChanged, this, [this] { characters_Change(); });
    connect(&d->sheetKind, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_dialog)
            return;
        // the title follows the sheet where it is the other sheet's default
        const QString practiceTitle = SheetOptions().title;
        const QString dictationTitle = DictationOptions().title;
        m_dialog->showSheetKind();
        m_dictation = m_dialog->isDictation();
        if (m_dialog->title.text() == (m_dictation ? practiceTitle : dictationTitle))
            m_dialog->title.setText(m_dictation ? dictationTitle : practiceTitle);
        characters_Change();
    });
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
    for (QCheckBox *box : { &d->model, &d->strokeNames, &d->info, &d->classField, &d->answers })
        connect(box, &QCheckBox::toggled, this, changed);
    for (QCheckBox *box : { &d->keepRepeats, &d->wordsFromCard })
        connect(box, &QCheckBox::toggled, this, [this] { characters_Change(); });
    connect(&d->words, &QSpinBox::valueChanged, this, changed);
    connect(&d->tracingColour, &QComboBox::currentIndexChanged, this, changed);
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
    m_dictation = m_dialog->isDictation();
    if (m_dictation) {
        m_loading.stop();
        QStringList notes;
        QString words = m_dialog->characters.text();
        if (m_dialog->wordsFromCard.isChecked()) {
            QStringList without;
            words = firstCardWords(words, *m_cards, &without);
            if (!without.isEmpty())
                notes.append(QStringLiteral("字卡上没有词语，已略去：%1")
                                 .arg(without.join(QStringLiteral(" "))));
        }
        m_words = loadWords(m_store, words, m_cards.get());
        if (!m_words.missing.isEmpty())
            notes.append(QStringLiteral("没有读音数据，已略去：%1")
                             .arg(m_words.missing.join(QStringLiteral(" "))));
        showSheet(notes.join(u'\n'));
        return;
    }
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
    if (!loadIntoCache(
            m_store, text, m_loaded, charactersAtOnce, QDeadlineTimer(sliceMs), m_cards.get())) {
        // the rest in the next turns of the event loop; meanwhile nothing half-read is printed
        m_dialog->printButton.setEnabled(false);
        m_dialog->saveButton.setEnabled(false);
        m_loading.start();
        return;
    }
    m_loading.stop();
    m_characters = loadCharacters(
        m_store, text, m_dialog->keepRepeats.isChecked(), m_cards.get(), &m_loaded);
    showSheet(m_characters.missing.isEmpty()
            ? QString()
            : QStringLiteral("没有笔顺数据，已略去：%1")
                  .arg(m_characters.missing.join(QStringLiteral(" "))));
}

void SheetController::showSheet(const QString &missing)
{
    m_options = m_dialog->options();
    m_dictationOptions = m_dialog->dictationOptions();
    QStringList notes;
    if (m_cut)
        notes.append(QStringLiteral("最多 %1 个字，只保留了前 %1 个。").arg(maxInputLength));
    if (!missing.isEmpty())
        notes.append(missing);
    m_dialog->missing.setText(notes.join(u'\n'));
    m_dialog->missing.setVisible(!notes.isEmpty());
    const bool any = hasContent();
    m_dialog->printButton.setEnabled(any);
    m_dialog->saveButton.setEnabled(any);
    updatePreview();
}

void SheetController::updatePreview()
{
    if (m_dictation)
        m_dialog->preview.setDictation(m_dictationOptions, m_words.usable);
    else
        m_dialog->preview.setSheet(m_options, m_characters.usable);
}

void SheetController::options_Change()
{
    if (!m_dialog)
        return;
    m_options = m_dialog->options();
    m_dictationOptions = m_dialog->dictationOptions();
    updatePreview();
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
    if (!m_dialog || !hasContent())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(m_dictation ? pageLayout(m_dictationOptions) : pageLayout(m_options));
    printer.setDocName((m_dictation ? suggestedDictationFileName(m_words.usable)
                                    : suggestedFileName(m_characters.usable))
                           .chopped(4));
    const PrivateQtSettings privateSettings;
    QPrintDialog dialog(&printer, m_dialog);
    dialog.setWindowTitle(QStringLiteral("打印练字帖"));
    dropFileNameCompleter(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PagesProgress progress(m_dialog, QStringLiteral("正在打印…"));
    const PaintResult result = m_dictation
        ? paintDictation(printer, m_dictationOptions, m_words.usable, progress.callback())
        : paintSheet(printer, m_options, m_characters.usable, progress.callback());
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
    if (!m_dialog || !hasContent())
        return;
    const QString suggested
        = QDir::home().filePath(m_dictation ? suggestedDictationFileName(m_words.usable)
                                            : suggestedFileName(m_characters.usable));
    const PrivateQtSettings privateSettings;
    const QString path = QFileDialog::getSaveFileName(
        m_dialog, QStringLiteral("保存为 PDF"), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    PagesProgress progress(m_dialog, QStringLiteral("正在保存 PDF…"));
    bool cancelled = false;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString error = m_dictation ? writeDictationPdf(path, m_dictationOptions, m_words.usable,
                              programFolder, progress.callback(), &cancelled)
                                      : writePdf(path, m_options, m_characters.usable,
                                          programFolder, progress.callback(), &cancelled);
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
