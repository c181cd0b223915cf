// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardstore.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAbstractButton;
class QWidget;
class RadicalDialog;

namespace radical {

class RadicalIndex;

// The radical index from the main window: the button 部首 and Ctrl+R open the dialog 部首检字
// (non-modal, kept when closed); a radical chosen there lists its characters, the parts typed list
// the characters containing them, and a character chosen is shown in the main window as if typed.
// card.db is read when the dialog first opens.
class RadicalController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAbstractButton *Command11 = nullptr; // "部首": opens the dialog
        QWidget *window = nullptr; // the main window: Ctrl+R, the dialog's owner
        std::function<void(const QString &)> showTyped; // shows a text as if typed in the window
        QString cardFile; // card.db
        QFont font; // the radicals and characters
    };

    explicit RadicalController(const Controls &controls, QObject *parent = nullptr);
    ~RadicalController() override;

    // Opens the dialog, or raises the open one; the parts field takes the focus.
    void Command11_Click();

    RadicalDialog *dialog() const; // nullptr until first opened

private:
    void chooseRadical(const QString &form);
    void searchParts(const QString &text);
    void placeBesideWindow();

    Controls c;
    card::CardStore m_store;
    std::unique_ptr<RadicalIndex> m_index; // made at the first opening
    QPointer<RadicalDialog> m_dialog; // a child of the main window, kept when closed
    bool m_placed = false; // placed beside the window at its first showing; then where it is left
};

} // namespace radical
