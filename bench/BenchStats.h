// What every benchmark shares: a clock, medians of repeated runs, and one
// line per figure in a fixed layout, so runs can be compared by eye.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds of one call of run, as its median over runs.
inline double MedianMs(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    run();
    times.push_back(NowMs() - start);
  }
  return Median(times);
}

inline void Figure(const std::string& name, double value, const char* unit) {
  std::printf("  %-66s %10.2f %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

// A ratio with its target: "<=" targets pass at or below the bound.
inline bool Ratio(const std::string& name, double ratio, double target) {
  const bool met = ratio <= target;
  std::printf("  %-66s %9.2fx  (target <= %.2fx: %s)\n", name.c_str(), ratio, target, met ? "met" : "MISSED");
  std::fflush(stdout);
  return met;
}

inline void Heading(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

}  // namespace bench
