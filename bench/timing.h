// Wall times of repeated runs, and their median and maximum, for the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

struct Spread {
    double median = 0;
    double max = 0;
};

// Milliseconds of each of `runs` calls of `action`.
template <class Action>
std::vector<double> millisecondsOf(int runs, Action action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return times;
}

inline Spread spreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}
