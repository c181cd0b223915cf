// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recordstore.h"
#include "sheetcharacters.h"
#include "sheetlayout.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QAbstractButton;
class QPrinter;
class QWidget;

namespace card {
class CardStore;
}

namespace sheets {

class SheetDialog;

// Practice sheets from the window: the 字帖 button opens the dialog; each change of its fields
// reloads the characters or the options and redraws the preview; its buttons print and save, and
// the dialog names the file saved.
class SheetController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAbstractButton *Command10 = nullptr; // "字帖": opens the dialog
        QWidget *window = nullptr; // the main window: the dialog's owner
        QString databaseFile; // Photo.mdb, read through a store of its own
        std::function<QString()> shownCharacter; // the record shown, or empty
    };

    explicit SheetController(const Controls &controls, QObject *parent = nullptr);
    ~SheetController() override;

    // Opens the dialog with its defaults and the shown character, or raises the open one.
    void Command10_Click();

    SheetDialog *dialog() const; // the open dialog, or nullptr
    const SheetCharacters &characters() const { return m_characters; }
    const DictationWords &words() const { return m_words; }

    // Text beyond maxInputLength is cut, and the dialog says so.
    void characters_Change();
    // The cell size's text edited (or its value changed), or its editing finished.
    void cellSize_Edited(bool finished);
    void options_Change();
    void printButton_Click();
    void saveButton_Click();

    // The dialog's choices, kept in the user's configuration (QSettings, Zibrin/Zibrin.conf,
    // group sheets) when it closes and set again when it next opens.
    void saveSettings() const;
    void restoreSettings();

private:
    void wireDialog();
    void loadSlice(); // then shows the characters once all are read
    // Shows the sheet read (missing: what was left out, or empty) and enables printing.
    void showSheet(const QString &missing);
    void updatePreview();
    // Whether the sheet shown can be printed or saved.
    bool hasContent() const;

    Controls c;
    RecordStore m_store { this }; // not the window's store: its current record must not move
    std::unique_ptr<card::CardStore> m_cards; // card.db beside the database file
    QPointer<SheetDialog> m_dialog; // a child of the window while open, deleted on closing
    SheetCharacters m_characters;
    LoadedCharacters m_loaded; // while the dialog is open: each character read once
    QTimer m_loading; // reads a long paste's characters a slice at a time
    DictationWords m_words;
    SheetOptions m_options;
    DictationOptions m_dictationOptions;
    bool m_dictation = false; // the dialog shows the dictation sheet
    bool m_cut = false; // the characters were cut to maxInputLength
};

} // namespace sheets
