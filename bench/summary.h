#pragma once

#include <vector>

// What the table shows of one figure's samples.
struct Summary {
    int count = 0;
    double median = 0;
    double p95 = 0;
    double max = 0;
    double min = 0;
};

// Median and 95th percentile by nearest rank; all zero for no samples.
[[nodiscard]] Summary summarize(std::vector<double> samples);
