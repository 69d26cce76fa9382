#pragma once
// Timing for the benchmarks: the performance counter, and the median of
// repeated runs measured side by side.

#include <windows.h>

#include <algorithm>
#include <functional>
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

// Median microseconds per call of `body` over `runs` runs of `calls` calls.
template <typename F>
double MedianMicrosecondsPerCall(int runs, int calls, F&& body) {
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        const double start = NowMicroseconds();
        for (int i = 0; i < calls; ++i) body(i);
        samples.push_back((NowMicroseconds() - start) / calls);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The same for several bodies measured in turn within every run, so that a
// change of load on a shared machine falls on all of them alike.
inline std::vector<double> InterleavedMediansPerCall(int runs, int calls,
                                                    const std::vector<std::function<void(int)>>& bodies) {
    std::vector<std::vector<double>> samples(bodies.size());
    for (int r = 0; r < runs; ++r) {
        for (size_t b = 0; b < bodies.size(); ++b) {
            const double start = NowMicroseconds();
            for (int i = 0; i < calls; ++i) bodies[b](i);
            samples[b].push_back((NowMicroseconds() - start) / calls);
        }
    }
    std::vector<double> medians;
    for (auto& s : samples) {
        std::sort(s.begin(), s.end());
        medians.push_back(s[s.size() / 2]);
    }
    return medians;
}

}  // namespace corvix_bench
