// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>

// The card window "字卡：峰": the shown character's card as selectable rich text, whose word
// characters are links. Esc closes it; closed, it keeps its place for the next opening.
class CardWindow : public QWidget {
    Q_OBJECT
public:
    explicit CardWindow(const QFont &font, QWidget *parent = nullptr);

    // The card of a character as rich text (see card::html), or a notice where there is none.
    void showCard(const QString &character, const QString &html);
    void showNotice(const QString &character, const QString &notice);
    QString character() const { return m_character; }

    QTextBrowser text { this }; // the card; its links show a character in the main window

signals:
    void characterLinkActivated(const QString &character);

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setCharacter(const QString &character);

    QString m_character;
    std::optional<QPoint> m_place; // where it was when last closed
};
