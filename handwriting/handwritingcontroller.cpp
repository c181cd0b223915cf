// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritingcontroller.h"

#include "handwritingpad.h"
#include "lookupcontroller.h"
#include "recordstore.h"
#include "textboxes.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>

namespace handwriting {

namespace {

constexpr int writingAreaSide = 300; // pixels at 96 dpi

} // namespace

HandwritingController::HandwritingController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    connect(c.Command9, &QAbstractButton::clicked, this, &HandwritingController::Command9_Click);
}

HandwritingController::~HandwritingController() = default;

void HandwritingController::Command9_Click()
{
    if (!m_pad) {
        auto recognizer = std::make_shared<const Recognizer>(defaultModelFile());
        m_pad = new HandwritingPad(c.scaled(writingAreaSide), c.window);
        if (recognizer->isAvailable()) {
            const qreal side = m_pad->writingArea.width();
            m_worker = std::make_unique<RecognitionWorker>(
                [recognizer, side,
                    known = knownCharacters(c.Data1->strokeCounts(), c.Data1->allStrokeClasses())](
                    const Ink &ink) { return recognize(*recognizer, ink, side, known); },
                [] { Matcher::shared(); });
            connect(m_worker.get(), &RecognitionWorker::recognized, this,
                [this](quint64, const QStringList &candidates) { handOn(candidates); });
        }
        m_pad->setRecognizerAvailable(recognizer->isAvailable());
        connect(&m_pad->writingArea, &WritingArea::strokeFinished, this,
            &HandwritingController::recognizeInk);
        connect(&m_pad->takeBackButton, &QPushButton::clicked, this,
            &HandwritingController::takeBackStroke);
        connect(&m_pad->clearButton, &QPushButton::clicked, this, &HandwritingController::clearInk);
        placePad();
    }
    m_pad->show();
    m_pad->raise();
    m_pad->activateWindow();
}

// Right of the main window, its tops level; left of it where the screen has no room on the right.
void HandwritingController::placePad()
{
    const QRect main = c.window->frameGeometry();
    const QSize outer = m_pad->frameGeometry().size().expandedTo(m_pad->size());
    QPoint at(main.right() + 1, main.top());
    if (const QScreen *screen = c.window->screen()) {
        const QRect available = screen->availableGeometry();
        if (at.x() + outer.width() > available.right() + 1)
            at.setX(std::max(available.left(), main.left() - outer.width()));
        at.setY(std::clamp(at.y(), available.top(),
            std::max(available.top(), available.bottom() + 1 - outer.height())));
    }
    m_pad->move(at);
}

void HandwritingController::recognizeInk()
{
    if (!m_worker)
        return;
    const Ink &ink = m_pad->writingArea.ink();
    const InkVerdict verdict = inkVerdict(ink, m_pad->writingArea.width());
    m_pad->showVerdict(verdict);
    if (ink.isEmpty()) {
        inkEmptied();
        return;
    }
    if (!m_before)
        m_before = c.lookup->display();
    if (verdict != InkVerdict::Readable) {
        m_worker->cancel();
        handOn({});
        return;
    }
    m_worker->request(thinnedInk(ink));
}

void HandwritingController::handOn(const QStringList &candidates)
{
    emit candidatesRecognized(candidates);
    m_shownList = c.Text6->text();
}

void HandwritingController::takeBackStroke()
{
    if (m_pad->writingArea.takeBackStroke())
        recognizeInk();
}

void HandwritingController::clearInk()
{
    m_pad->writingArea.clear();
    m_pad->showVerdict(InkVerdict::Readable);
    inkEmptied();
}

// The window goes back to what it showed before the first stroke, unless another road has
// filled the result box since.
void HandwritingController::inkEmptied()
{
    if (m_worker)
        m_worker->cancel();
    if (m_before && c.Text6->text() == m_shownList)
        c.lookup->restoreDisplay(*m_before);
    m_before.reset();
}

} // namespace handwriting
