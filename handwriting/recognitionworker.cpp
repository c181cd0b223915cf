// SPDX-License-Identifier: GPL-3.0-or-later
#include "recognitionworker.h"

#include "handwritinglog.h"

#include <QMetaObject>

#include <exception>

namespace handwriting {

namespace {

// What the exception in flight says, for the log.
QString whatWentWrong()
{
    try {
        throw;
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("an exception of unknown type");
    }
}

} // namespace

RecognitionWorker::RecognitionWorker(
    Function recognize, std::function<void()> prepare, QObject *parent)
    : QObject(parent)
    , m_recognize(std::move(recognize))
    , m_thread([this, prepare = std::move(prepare)] { run(prepare); })
{
}

RecognitionWorker::~RecognitionWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_pending.reset();
    }
    m_wake.notify_one();
    m_thread.join();
    // Results posted before the join are queued events for this object, removed with it.
}

quint64 RecognitionWorker::request(const Ink &ink)
{
    const quint64 number = ++m_latest;
    {
        const std::lock_guard lock(m_mutex);
        m_pending.emplace(number, ink);
    }
    m_wake.notify_one();
    return number;
}

void RecognitionWorker::cancel()
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending.reset();
    }
    m_delivered = ++m_latest; // a result on its way is older than this
}

void RecognitionWorker::run(const std::function<void()> &prepare)
{
    if (prepare) {
        try {
            prepare();
        } catch (...) {
            // the first request meets what went wrong, and answers with no list
            qCWarning(handwritingLog) << "recognition: preparing failed:" << whatWentWrong();
        }
    }
    for (;;) {
        std::pair<quint64, Ink> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || m_pending; });
            if (m_stopping)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
        }
        QStringList candidates;
        try {
            candidates = m_recognize(job.second);
        } catch (...) {
            qCWarning(handwritingLog) << "recognition: no list:" << whatWentWrong();
            candidates.clear();
        }
        QMetaObject::invokeMethod(
            this, [this, number = job.first, candidates] { deliver(number, candidates); },
            Qt::QueuedConnection);
    }
}

void RecognitionWorker::deliver(quint64 request, const QStringList &candidates)
{
    if (request != m_latest)
        return; // a newer request was made, or everything was cancelled
    m_delivered = request;
    emit recognized(request, candidates);
}

} // namespace handwriting
