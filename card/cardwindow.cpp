// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardwindow.h"

#include "cardtext.h"

#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

CardWindow::CardWindow(const QFont &font, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("cardWindow"));
    setWindowTitle(QStringLiteral("字卡"));
    text.setObjectName(QStringLiteral("cardText"));
    text.setFont(font);
    text.setOpenLinks(false);
    text.setFrameShape(QFrame::NoFrame);
    text.setAccessibleName(QStringLiteral("字卡"));
    text.document()->setDocumentMargin(12);
    text.document()->setDefaultStyleSheet(
        QStringLiteral("a { color: #0000ff; text-decoration: none; }"));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(&text);
    // about 24 characters of the text's font a line, and room for two readings
    const int em = QFontMetrics(font).horizontalAdvance(QChar(0x5B57));
    resize(em * 24, em * 34);
    connect(&text, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (const QString character = card::linkedCharacter(link); !character.isEmpty())
            emit characterLinkActivated(character);
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void CardWindow::showCard(const QString &character, const QString &html)
{
    setCharacter(character);
    text.setHtml(html);
}

void CardWindow::showNotice(const QString &character, const QString &notice)
{
    setCharacter(character);
    text.setPlainText(notice);
}

void CardWindow::setCharacter(const QString &character)
{
    m_character = character;
    setWindowTitle(
        character.isEmpty() ? QStringLiteral("字卡") : QStringLiteral("字卡：") + character);
}

void CardWindow::hideEvent(QHideEvent *event)
{
    m_place = pos();
    QWidget::hideEvent(event);
}

void CardWindow::showEvent(QShowEvent *event)
{
    if (m_place)
        move(*m_place);
    QWidget::showEvent(event);
}
