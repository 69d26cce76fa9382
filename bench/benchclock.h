#pragma once
// Timing for the benchmarks: the performance counter, and the median of
// repeated runs measured side by side.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace corvix_bench {

inline double NowMicroseconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Median microseconds per call of `body` over `runs` runs of `calls` calls.
template <typename F>
double MedianMicrosecondsPerCall(int runs, int calls, F&& body) {
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        const double start = NowMicroseconds();
        for (int i = 0; i < calls; ++i) body(i);
        samples.push_back((NowMicroseconds() - start) / calls);
    }
    return Median(std::move(samples));
}

// Medians of measurements that time themselves, taken in turn within every
// run so that a change of load on a shared machine falls on all of them
// alike: each returns its own microseconds for that run, set-up left out.
inline std::vector<double> InterleavedMedians(int runs, const std::vector<std::function<double(int run)>>& measures) {
    std::vector<std::vector<double>> samples(measures.size());
    for (int r = 0; r < runs; ++r)
        for (size_t m = 0; m < measures.size(); ++m) samples[m].push_back(measures[m](r));
    std::vector<double> medians;
    for (auto& s : samples) medians.push_back(Median(std::move(s)));
    return medians;
}

// Median microseconds per call of several bodies, measured in turn within every run.
inline std::vector<double> InterleavedMediansPerCall(int runs, int calls,
                                                    const std::vector<std::function<void(int)>>& bodies) {
    std::vector<std::function<double(int)>> measures;
    for (const auto& body : bodies) {
        measures.push_back([&body, calls](int) {
            const double start = NowMicroseconds();
            for (int i = 0; i < calls; ++i) body(i);
            return (NowMicroseconds() - start) / calls;
        });
    }
    return InterleavedMedians(runs, measures);
}

}  // namespace corvix_bench
