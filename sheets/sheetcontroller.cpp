// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcontroller.h"

#include "cardstore.h"
#include "dictationrenderer.h"
#include "sheetdialog.h"
#include "sheetrenderer.h"
#include "sheetslog.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
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
            { &d.answers, "answers" } })
        box->setChecked(flag(key, box->isChecked()));
    const QVariant title = settings.value(groupKey + QStringLiteral("title"));
    if (title.isValid())
        d.title.setText(title.toString().left(maxInputLength));
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
    connect(&d->tracing, &QSpinBox::valueChanged, this, changed);
    connect(&d->extraRows, &QSpinBox::valueChanged, this, changed);
    connect(&d->pinyin, &QCheckBox::toggled, this, changed);
    connect(&d->landscape, &QCheckBox::toggled, this, changed);
    for (QCheckBox *box : { &d->model, &d->strokeNames, &d->info, &d->classField, &d->answers })
        connect(box, &QCheckBox::toggled, this, changed);
    connect(&d->keepRepeats, &QCheckBox::toggled, this, [this] { characters_Change(); });
    connect(&d->words, &QSpinBox::valueChanged, this, changed);
    connect(&d->tracingColour, &QComboBox::currentIndexChanged, this, changed);
    connect(&d->title, &QLineEdit::textChanged, this, changed);
    connect(&d->preview, &QPrintPreviewWidget::paintRequested, this,
        [this](QPrinter *printer) { preview_PaintRequested(printer); });
    connect(&d->printButton, &QPushButton::clicked, this, [this] { printButton_Click(); });
    connect(&d->saveButton, &QPushButton::clicked, this, [this] { saveButton_Click(); });
}

void SheetController::characters_Change()
{
    if (!m_dialog)
        return;
    m_dictation = m_dialog->isDictation();
    QString missing;
    if (m_dictation) {
        m_words = loadWords(m_store, m_dialog->characters.text(), m_cards.get());
        if (!m_words.missing.isEmpty())
            missing = QStringLiteral("没有读音数据，已略去：%1")
                          .arg(m_words.missing.join(QStringLiteral(" ")));
    } else {
        m_characters = loadCharacters(
            m_store, m_dialog->characters.text(), m_dialog->keepRepeats.isChecked(), m_cards.get());
        if (!m_characters.missing.isEmpty())
            missing = QStringLiteral("没有笔顺数据，已略去：%1")
                          .arg(m_characters.missing.join(QStringLiteral(" ")));
    }
    m_options = m_dialog->options();
    m_dictationOptions = m_dialog->dictationOptions();
    m_dialog->missing.setText(missing);
    m_dialog->missing.setVisible(!missing.isEmpty());
    const bool any = hasContent();
    m_dialog->printButton.setEnabled(any);
    m_dialog->saveButton.setEnabled(any);
    m_dialog->preview.updatePreview();
}

void SheetController::options_Change()
{
    if (!m_dialog)
        return;
    m_options = m_dialog->options();
    m_dictationOptions = m_dialog->dictationOptions();
    m_dialog->preview.updatePreview();
}

void SheetController::preview_PaintRequested(QPrinter *printer)
{
    printer->setFullPage(true);
    if (m_dictation) {
        printer->setPageLayout(pageLayout(m_dictationOptions));
        paintDictation(*printer, m_dictationOptions, m_words.usable);
        return;
    }
    printer->setPageLayout(pageLayout(m_options));
    paintSheet(*printer, m_options, m_characters.usable);
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
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!(m_dictation ? paintDictation(printer, m_dictationOptions, m_words.usable)
                      : paintSheet(printer, m_options, m_characters.usable))) {
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
    const QString error = m_dictation ? writeDictationPdf(path, m_dictationOptions, m_words.usable)
                                      : writePdf(path, m_options, m_characters.usable);
    if (!error.isEmpty())
        QMessageBox::warning(
            m_dialog, QStringLiteral("练字帖"), QStringLiteral("无法保存 PDF：%1").arg(error));
}

} // namespace sheets
