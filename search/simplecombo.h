// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

// Combo6's kind: a combo box of the simple style, an edit field with its list always open below
// it. It offers the QComboBox calls the program uses, under the same names.
class SimpleCombo : public QWidget {
    Q_OBJECT
public:
    explicit SimpleCombo(QWidget *parent = nullptr);

    // The text of the edit field.
    QString currentText() const { return m_edit.text(); }
    void setEditText(const QString &text) { m_edit.setText(text); }

    void addItem(const QString &text) { m_list.addItem(text); }
    void addItems(const QStringList &texts) { m_list.addItems(texts); }
    int count() const { return m_list.count(); }
    QString itemText(int index) const;

    QLineEdit *lineEdit() { return &m_edit; }
    QListWidget *listWidget() { return &m_list; }

signals:
    // Every change of the edit field's text, typed or assigned.
    void editTextChanged(const QString &text);
    // A pick from the list, by mouse or by the arrow keys in the edit field; the edit field
    // already holds the item's text.
    void activated(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void pick(int row);
    void highlightMatch(const QString &text);

    QLineEdit m_edit { this };
    QListWidget m_list { this };
};
