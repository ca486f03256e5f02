// The viewer's start-up trace, for the benchmarks: when the environment
// variable HEAPFOLD_TRACE names a file, the ends of the start-up phases are
// marked on the performance counter (in microseconds, the clock every process
// of the machine shares) and written to that file. Without the variable
// nothing is recorded and nothing is written. An open view rebuilt for a
// change in its folder marks "live rebuild" and writes the trace again.
#pragma once

// Reads the variable; the first mark, "process and COM start", is made here.
void StartTrace();
// The named phase ended now.
void TraceMark(const wchar_t* phase);
// Writes every mark so far to the file, replacing what it held.
void WriteTrace();
