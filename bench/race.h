#pragma once
// Timing contenders against a baseline in the same program: every contender
// once per repetition, the order turned round each time, so that a slow phase
// of the machine weighs on all of them alike; medians and median ratios.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

#include "bench/stopwatch_win32.h"

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Contender {
    const char* name;
    std::function<void()> run;
    std::vector<double> milliseconds;
};

inline void Race(std::vector<Contender>& contenders, int repetitions) {
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            Contender& contender = contenders[repetition % 2 == 0 ? i : contenders.size() - 1 - i];
            const Stopwatch watch;
            contender.run();
            contender.milliseconds.push_back(watch.Milliseconds());
        }
    }
}

// The median of the ratios of each repetition's pair: the load of the machine
// changes between repetitions more than within one.
inline double MedianRatio(const Contender& contender, const Contender& baseline) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < baseline.milliseconds.size(); ++i) {
        ratios.push_back(contender.milliseconds[i] / baseline.milliseconds[i]);
    }
    return Median(ratios);
}
