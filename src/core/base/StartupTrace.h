// A trace of where a program's start-up time goes: named marks on one clock,
// written as text only when a benchmark asks for it, and read back by the
// benchmark, which turns consecutive marks into phases.
//
// The text is one mark per line: the phase's name, a tab, and the clock's
// reading in microseconds when the phase ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TTraceMark {
  std::wstring Phase;
  std::int64_t Microseconds = 0;
};

class TStartupTrace {
public:
  // A trace that is off records nothing and gives empty text.
  explicit TStartupTrace(bool on = false) : on_(on) {}
  bool On() const { return on_; }
  // The phase named ended at the clock's reading.
  void Mark(const std::wstring& phase, std::int64_t microseconds);
  const std::vector<TTraceMark>& Marks() const { return marks_; }
  std::wstring Text() const;

private:
  bool on_;
  std::vector<TTraceMark> marks_;
};

// The marks of a trace's text; lines that are not "name<TAB>number" are skipped.
std::vector<TTraceMark> ParseStartupTrace(const std::wstring& text);

struct TTracePhase {
  std::wstring Phase;
  std::int64_t Microseconds = 0;  // how long it took
};
// Each mark's phase lasts from the mark before it (the first from start) to
// the mark itself. A mark before the one preceding it (a clock read out of
// order) gives a phase of 0.
std::vector<TTracePhase> TracePhases(std::int64_t start, const std::vector<TTraceMark>& marks);
