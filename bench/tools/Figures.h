// bench/tools/Figures.h -- time taken with the performance counter, and the figures a benchmark prints
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Milliseconds since construction or Restart(), from QueryPerformanceCounter (GetTickCount
// moves in steps of 10 to 16 ms on some systems, too coarse for one registry reaction).
class TStopwatch {
public:
    TStopwatch() { Restart(); }
    void Restart() { QueryPerformanceCounter(&FStart); }
    double ElapsedMs() const;

private:
    LARGE_INTEGER FStart{};
};

// Nearest-rank percentile (50: the median); samples must not be empty.
double Percentile(std::vector<double> samples, double percent);
double Median(const std::vector<double>& samples);
double Smallest(const std::vector<double>& samples);
double Largest(const std::vector<double>& samples);

// "12.3 ms", "1.75x": the form every benchmark prints its figures in.
std::string FormatMs(double ms);
std::string FormatMb(double mb);
std::string FormatRatio(double ratio);
// "median 12.3 ms (5 runs, 11.0 .. 14.2 ms)"
std::string DescribeMs(const std::vector<double>& samples);
