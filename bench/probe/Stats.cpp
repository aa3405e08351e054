#include "bench/probe/Commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double percent) {
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(sorted.size()));
    const auto index = static_cast<std::size_t>(std::max(rank, 1.0)) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

int Stats(const Arguments&) {
    std::vector<double> values;
    double value = 0;
    while (std::cin >> value) {
        values.push_back(value);
    }
    if (values.empty()) {
        std::printf("n=0\n");
        return 1;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median =
        values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    std::printf("n=%zu median=%.2f min=%.2f max=%.2f p99=%.2f\n", values.size(), median,
                values.front(), values.back(), Percentile(values, 99));
    return 0;
}
