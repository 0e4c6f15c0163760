// bench/tools/Figures.cpp -- the stopwatch and the statistics of the benchmarks
#include "Figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

double TStopwatch::ElapsedMs() const {
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - FStart.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> samples, double percent) {
    if (samples.empty()) throw std::invalid_argument("Percentile of no samples");
    std::sort(samples.begin(), samples.end());
    // Nearest rank: the smallest sample with at least percent % of the samples at or below it.
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(samples.size()));
    const size_t index = static_cast<size_t>(std::max(1.0, rank)) - 1;
    return samples[std::min(index, samples.size() - 1)];
}

double Median(const std::vector<double>& samples) { return Percentile(samples, 50); }
double Smallest(const std::vector<double>& samples) { return Percentile(samples, 0); }
double Largest(const std::vector<double>& samples) { return Percentile(samples, 100); }

namespace {

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string FormatMs(double ms) { return Printed("%.1f ms", ms); }
std::string FormatMb(double mb) { return Printed("%.1f MB", mb); }
std::string FormatRatio(double ratio) { return Printed("%.2fx", ratio); }

std::string DescribeMs(const std::vector<double>& samples) {
    return "median " + FormatMs(Median(samples)) + " (" + std::to_string(samples.size()) + " runs, " +
           Printed("%.1f", Smallest(samples)) + " .. " + FormatMs(Largest(samples)) + ")";
}
