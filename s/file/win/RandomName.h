// s/file/win/RandomName.h
//
// The pieces of a random rename: which units a random name may hold and how a stretch of a
// name is redrawn. The draws come from the caller (the engine's RandomSource::draw). Safe on
// any thread.
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

}  // namespace s::file::win
