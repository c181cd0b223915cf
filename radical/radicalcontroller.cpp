// SPDX-License-Identifier: GPL-3.0-or-later
#include "radicalcontroller.h"

#include "radicaldialog.h"
#include "radicalindex.h"

#include <QAbstractButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace radical {

namespace {

// The dialog lists no more characters than this that only contain a radical, or that contain the
// parts typed: 一 or 口 are in thousands, and more parts narrow the list.
constexpr int listLimit = 300;

QString strokesHeading(int strokes, const QString &what)
{
    return strokes < 0 ? QStringLiteral("笔画不明")
                       : QStringLiteral("%1%2 画").arg(what).arg(strokes);
}

// The characters under a heading each time the stroke count changes; by strokes outside the
// radical, those that only contain it under headings of their own.
QList<HeadedList::Group> groupsOf(const QList<Listed> &found, bool byStrokesOutside)
{
    QList<HeadedList::Group> groups;
    int current = -2;
    bool filed = true;
    for (const Listed &listed : found) {
        const int strokes = byStrokesOutside ? listed.strokesOutsideRadical : listed.strokes;
        const bool apart = byStrokesOutside && filed != listed.filedHere;
        if (strokes != current || apart || groups.isEmpty()) {
            const QString what = !byStrokesOutside ? QString()
                : listed.filedHere                 ? QStringLiteral("部外 ")
                                                   : QStringLiteral("含有 · 部外 ");
            groups.append({ strokesHeading(strokes, what), {} });
            current = strokes;
            filed = listed.filedHere;
        }
        groups.last().items.append(listed.character);
    }
    return groups;
}

} // namespace

RadicalController::RadicalController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
    , m_store(controls.cardFile)
{
    connect(c.Command11, &QAbstractButton::clicked, this, &RadicalController::Command11_Click);
    auto *open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), c.window);
    open->setObjectName(QStringLiteral("radicalShortcut"));
    connect(open, &QShortcut::activated, this, &RadicalController::Command11_Click);
}

RadicalController::~RadicalController() = default;

RadicalDialog *RadicalController::dialog() const
{
    return m_dialog;
}

void RadicalController::Command11_Click()
{
    if (!m_dialog) {
        m_index = std::make_unique<RadicalIndex>(m_store);
        m_dialog = new RadicalDialog(c.font, c.window);
        QList<HeadedList::Group> table;
        for (const StrokeGroup &group : m_index->radicalsByStrokes()) {
            HeadedList::Group shown { QStringLiteral("%1 画").arg(group.strokes), {}, {} };
            for (const Radical &main : group.radicals) {
                shown.items.append(main.form);
                shown.toolTips.append(QStringLiteral("%1 部").arg(main.form));
                for (const QString &form : main.attachedForms) {
                    shown.items.append(form);
                    shown.toolTips.append(QStringLiteral("%1（%2 的附形）").arg(form, main.form));
                }
            }
            table.append(shown);
        }
        m_dialog->setRadicals(table);
        m_dialog->showCharacters({},
            m_index->isEmpty()
                ? (m_store.isAvailable() ? QStringLiteral("字卡数据 card.db 里没有部首检字表。")
                                         : QStringLiteral("无法读取字卡数据 card.db。"))
                : QStringLiteral("选一个部首，或输入部件。"));
        connect(m_dialog, &RadicalDialog::radicalChosen, this, &RadicalController::chooseRadical);
        connect(m_dialog, &RadicalDialog::partsEdited, this, &RadicalController::searchParts);
        connect(m_dialog, &RadicalDialog::characterChosen, this,
            [this](const QString &character) { c.showTyped(character); });
    }
    const bool first = !m_dialog->isVisible() && !m_placed;
    m_dialog->show();
    if (first) {
        placeBesideWindow();
        m_placed = true;
    }
    m_dialog->raise();
    m_dialog->activateWindow();
}

// Beside the main window, top edges level, on the left (the card window opens on the right) where
// the screen has room, else on the right, else on the side with more room, kept on the screen.
void RadicalController::placeBesideWindow()
{
    const QRect main = c.window->frameGeometry();
    const QScreen *screen = c.window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = m_dialog->frameGeometry().size();
    const int gap = 8;
    const int leftRoom = main.left() - available.left() - gap;
    const int rightRoom = available.right() - main.right() - gap;
    const bool left
        = size.width() <= leftRoom || (size.width() > rightRoom && leftRoom >= rightRoom);
    QPoint at(left ? main.left() - gap - size.width() : main.right() + 1 + gap, main.top());
    at.setX(std::clamp(at.x(), available.left(),
        std::max(available.left(), available.right() + 1 - size.width())));
    at.setY(std::clamp(at.y(), available.top(),
        std::max(available.top(), available.bottom() + 1 - size.height())));
    m_dialog->move(at);
}

void RadicalController::chooseRadical(const QString &form)
{
    const Found found = m_index->filing(form, listLimit);
    const qsizetype filed = std::count_if(found.characters.cbegin(), found.characters.cend(),
        [](const Listed &listed) { return listed.filedHere; });
    const qsizetype contained = found.characters.size() - filed;
    m_dialog->showCharacters(groupsOf(found.characters, true),
        found.cut ? QStringLiteral("%1 部 %2 字；含有“%1”的字很多，只列出笔画最少的 %3 个，"
                                   "输入部件可以缩小范围。")
                        .arg(form)
                        .arg(filed)
                        .arg(contained)
                  : QStringLiteral("%1 部 %2 字，另有 %3 字含有“%1”。")
                        .arg(form)
                        .arg(filed)
                        .arg(contained));
}

void RadicalController::searchParts(const QString &text)
{
    if (RadicalIndex::partsOf(text).isEmpty()) {
        m_dialog->showCharacters({}, QStringLiteral("选一个部首，或输入部件。"));
        return;
    }
    const Found found = m_index->withParts(text, listLimit);
    if (!found.unknown.isEmpty()) {
        m_dialog->showCharacters(
            {}, QStringLiteral("不认识的部件：%1").arg(found.unknown.join(QStringLiteral("、"))));
        return;
    }
    const QString parts = RadicalIndex::partsOf(text).join(u' ');
    m_dialog->showCharacters(groupsOf(found.characters, false),
        found.cut
            ? QStringLiteral("含有 %1 的字很多，只列出笔画最少的 %2 个；再加部件可以缩小范围。")
                  .arg(parts)
                  .arg(found.characters.size())
            : QStringLiteral("含有 %1 的字 %2 个，笔画少的在前。")
                  .arg(parts)
                  .arg(found.characters.size()));
}

} // namespace radical
