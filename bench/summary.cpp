#include "bench/summary.h"

#include <algorithm>
#include <cmath>

namespace {

double rank(const std::vector<double>& sorted, double fraction)
{
    const auto index = static_cast<std::size_t>(std::ceil(fraction * double(sorted.size()))) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

Summary summarize(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    return {static_cast<int>(samples.size()), rank(samples, 0.5), rank(samples, 0.95), samples.back(), samples.front()};
}
