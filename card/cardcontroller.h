// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardstore.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CardWindow;
class ClickLabel;
class LookupController;
class RecordStore;
class SimpleCombo;
class QWidget;
struct CharacterRecord;

namespace card {

// The character card from the main window: the link 字卡 and Ctrl+I open the card window beside
// it, which then follows the shown character; a character of a word shows that character in the
// main window. It also gives the panel its readings. card.db is opened when first asked.
class CardController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        ClickLabel *Label24 = nullptr; // link "字卡": opens the card window
        QWidget *window = nullptr; // the main window: Ctrl+I, the card window's owner and place
        RecordStore *Data1 = nullptr; // the record store: its current record is followed
        LookupController *lookup = nullptr; // shows a character picked in a word
        const QString *Label20 = nullptr; // search mode: "2" after a pinyin search
        const SimpleCombo *Combo6 = nullptr; // the syllable of that search
        std::function<QString()> shownCharacter; // the record shown, or empty
        QString cardFile; // card.db
        QFont font; // the card's text
    };

    explicit CardController(const Controls &controls, QObject *parent = nullptr);
    ~CardController() override;

    // Opens the card window with the shown character's card, or raises the open one.
    void Label24_Click();
    // The pinyin the panel shows for a record: every reading of the character, the one of the
    // last pinyin search first (see card::panelPinyin).
    QString panelPinyin(const CharacterRecord &record) const;

    CardWindow *cardWindow() const; // nullptr until first opened

private:
    void followShownCharacter();
    void showCardOf(const QString &character);
    void placeBesideWindow();

    Controls c;
    CardStore m_store;
    QPointer<CardWindow> m_window; // a child of the main window, kept when closed
};

} // namespace card
