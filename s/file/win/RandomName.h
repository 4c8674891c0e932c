// s/file/win/RandomName.h
//
// The pieces of a random rename: which units a random name may hold, how a stretch of a
// name is redrawn, and the draw itself. Safe on any thread (each thread has its own
// generator state).
#pragma once
#include <cstdint>

namespace s::file::win {

using DrawFunction = int32_t (*)();

// Draws until the low byte of a value, read as a signed byte, is one of A-Z, a-z or 1-9
// (never 0, so no name reads as a number with a leading zero).
wchar_t drawNameUnit(DrawFunction draw);

// Replaces every unit of chars[start, end) except "." by a drawn unit, so that the name
// keeps its length and its dots.
void randomizeStretch(wchar_t* chars, uint32_t start, uint32_t end, DrawFunction draw);

// One rand() of the run-time generator. The run-time keeps the generator's state per
// thread and starts each thread at the same seed, so each thread seeds its own state once
// before its first draw (from the time, the tick count, the thread and a counter).
int32_t drawForNames();

}  // namespace s::file::win
