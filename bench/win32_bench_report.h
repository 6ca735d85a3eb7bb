#pragma once

// What the Windows benchmark programs share: a monotonic clock and the line
// each prints for a set of samples.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Seconds on the performance counter.
inline double BenchNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// "<what>  median ... ms  min ...  max ...  (<count>)", or "no samples".
inline void ReportMilliseconds(const char* what, std::vector<double> ms, int width = 44) {
    if (ms.empty()) {
        std::printf("%-*s no samples\n", width, what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-*s median %8.3f ms   min %8.3f   max %8.3f   (%zu)\n", width, what, Median(ms),
                ms.front(), ms.back(), ms.size());
}
