// s/file/win/ShellProperties.h
//
// The shell's property sheets of one item or of several at once. Called on a thread that
// may show windows; the shell shows the sheet itself and these return at once.
#pragma once
#include <cstdint>

namespace s::file::win {

// ShellExecuteExW with the verb "properties"; always true.
bool showFileProperties(const wchar_t* path);

// One sheet for all the paths that the shell can name (the others are left out); true
// when it was shown.
bool showMultiFileProperties(uint32_t count, const wchar_t* const* paths);

}  // namespace s::file::win
