#pragma once
// Timing for the benchmarks: the performance counter, and the median of
// repeated runs measured side by side.

#include <windows.h>

#include <algorithm>
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

}  // namespace corvix_bench
