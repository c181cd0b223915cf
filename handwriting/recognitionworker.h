// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recognizer.h"

#include <QObject>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace handwriting {

// Runs one recognition function (ink -> candidates, best first) on a thread of its own, one call
// at a time, so that the user-interface thread keeps taking strokes. A newer request replaces one
// not yet started; the result of a request is delivered only while no newer one has been made.
class RecognitionWorker : public QObject {
    Q_OBJECT
public:
    using Function = std::function<QStringList(const Ink &)>;

    // prepare, if given, runs first on the worker's thread (the data recognition reads), so that
    // the first request waits for no more than what is left of it.
    explicit RecognitionWorker(
        Function recognize, std::function<void()> prepare = {}, QObject *parent = nullptr);
    // Waits for the call that is running, if any.
    ~RecognitionWorker() override;

    // Asks for the ink's candidates; returns the request's number (increasing from 1).
    quint64 request(const Ink &ink);
    // Nothing asked so far will be delivered.
    void cancel();
    // Between a request and the delivery of its result (or a cancel).
    bool isBusy() const { return m_latest != m_delivered; }

signals:
    // In the thread the worker belongs to, for the latest request only. A function that throws
    // gives no candidates.
    void recognized(quint64 request, const QStringList &candidates);

private:
    void run(const std::function<void()> &prepare);
    void deliver(quint64 request, const QStringList &candidates);

    const Function m_recognize;
    quint64 m_latest = 0; // the user-interface thread's side
    quint64 m_delivered = 0;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<std::pair<quint64, Ink>> m_pending; // guarded by m_mutex
    bool m_stopping = false; // guarded by m_mutex
    std::thread m_thread; // last: started when the rest is ready
};

} // namespace handwriting
