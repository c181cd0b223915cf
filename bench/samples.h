// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <vector>

// Timings of the benchmarks: nanoseconds per sample, summed up as nearest-rank percentiles.
namespace bench {

using Samples = std::vector<qint64>; // nanoseconds

// Nearest-rank percentile, p in (0, 1]; 0 for no samples.
inline qint64 percentile(Samples samples, double p)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = std::size_t(std::ceil(p * double(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

inline QString milliseconds(qint64 nanoseconds, int decimals = 3)
{
    return QString::number(double(nanoseconds) / 1e6, 'f', decimals) + QStringLiteral(" ms");
}

// The user-interface thread's longest stall: the longest gap between ticks of a 1 ms repeating
// timer on it, from begin() to end(). A thread that never blocks shows about 1 ms.
class StallMeter {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
    }
    void begin()
    {
        m_longest = 0;
        m_last = m_clock.nsecsElapsed();
        m_timer.start();
    }
    qint64 end()
    {
        tick();
        m_timer.stop();
        return m_longest;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace bench
