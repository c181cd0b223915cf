// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcontroller.h"

#include "cardtext.h"
#include "cardwindow.h"
#include "clicklabel.h"
#include "lookupcontroller.h"
#include "pinyinkey.h"
#include "recordstore.h"
#include "simplecombo.h"

#include <QFontMetrics>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace card {

CardController::CardController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
    , m_store(controls.cardFile)
{
    connect(c.Label24, &ClickLabel::clicked, this, &CardController::Label24_Click);
    auto *open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), c.window);
    open->setObjectName(QStringLiteral("cardShortcut"));
    connect(open, &QShortcut::activated, this, &CardController::Label24_Click);
    connect(c.Data1, &RecordStore::currentChanged, this, &CardController::followShownCharacter);
}

CardController::~CardController() = default;

CardWindow *CardController::cardWindow() const
{
    return m_window;
}

void CardController::Label24_Click()
{
    const bool first = !m_window;
    if (first) {
        m_window = new CardWindow(c.font, c.window);
        connect(m_window, &CardWindow::characterLinkActivated, this,
            [this](const QString &character) { c.lookup->characterLookup(character); });
    }
    showCardOf(c.shownCharacter());
    if (first)
        placeBesideWindow();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void CardController::followShownCharacter()
{
    if (m_window && m_window->isVisible())
        showCardOf(c.Data1->current().hz);
}

void CardController::showCardOf(const QString &character)
{
    if (character.isEmpty()) {
        m_window->showNotice(character, QStringLiteral("请先输入或查询一个汉字。"));
        return;
    }
    if (character == m_window->character() && !m_window->text.document()->isEmpty())
        return;
    if (const std::optional<Card> found = m_store.card(character))
        m_window->showCard(character, html(*found));
    else if (!m_store.isAvailable())
        m_window->showNotice(character, QStringLiteral("无法读取字卡数据 card.db。"));
    else
        m_window->showNotice(character, QStringLiteral("字卡里没有“%1”。").arg(character));
}

// Beside the main window, top edges level: to its right where the screen has room, else to its
// left. Where neither side has room for the card's width, it is narrowed down to 16 characters
// of its font to fit the side with more room, and beyond that lies over the main window's edge.
void CardController::placeBesideWindow()
{
    const QRect main = c.window->frameGeometry();
    // the card's frame, not yet drawn, taken as wide and high as the main window's
    const QSize frame = main.size() - c.window->geometry().size();
    const int gap = 8;
    const QScreen *screen = c.window->screen();
    if (!screen) {
        m_window->move(main.right() + 1 + gap, main.top());
        return;
    }
    const QRect available = screen->availableGeometry();
    const int rightRoom = available.right() - main.right() - gap;
    const int leftRoom = main.left() - available.left() - gap;
    const bool right = m_window->width() + frame.width() <= rightRoom || rightRoom >= leftRoom;
    const int room = (right ? rightRoom : leftRoom) - frame.width();
    const int narrowest = 16 * QFontMetrics(c.font).horizontalAdvance(QChar(0x5B57));
    if (m_window->width() > room)
        m_window->resize(std::max(room, narrowest), m_window->height());
    const int width = m_window->width() + frame.width();
    const int height = m_window->height() + frame.height();
    QPoint at(right ? main.right() + 1 + gap : main.left() - gap - width, main.top());
    at.setX(std::clamp(
        at.x(), available.left(), std::max(available.left(), available.right() + 1 - width)));
    at.setY(std::clamp(
        at.y(), available.top(), std::max(available.top(), available.bottom() + 1 - height)));
    m_window->move(at);
}

QString CardController::panelPinyin(const CharacterRecord &record) const
{
    const QString searched = *c.Label20 == QLatin1String("2")
        ? syllableFromComboText(c.Combo6->currentText())
        : QString();
    return card::panelPinyin(m_store.readings(record.hz), record.PY, searched);
}

} // namespace card
