// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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

} // namespace bench
