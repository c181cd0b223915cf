// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// A hidden text box of the main window used as working storage (Text2bhw, Text2bh, Text4, ...):
// its text, and a change signal that fires synchronously inside setText, only when the text
// really changes, as the window's visible text boxes do.
class TextCell : public QObject {
    Q_OBJECT
public:
    explicit TextCell(const QString &name, QObject *parent = nullptr)
        : QObject(parent)
    {
        setObjectName(name);
    }

    const QString &text() const { return m_text; }

    void setText(const QString &text)
    {
        if (text == m_text)
            return;
        m_text = text;
        emit changed();
    }

signals:
    void changed();

private:
    QString m_text;
};
