// s/file/wiper/win/OverwriteIo.h
//
// The three file calls of the overwrite passes (seek, write, flush), as a table that tests
// may swap for a recording one; the default table calls SetFilePointerEx, WriteFile and
// FlushFileBuffers. Each entry returns false on failure and leaves GetLastError to the
// caller. Swap the table only while no overwrite runs.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::file::wiper::win {

struct OverwriteIo {
    using SeekFunction = bool (*)(HANDLE file, int64_t offsetFromStart);
    using WriteFunction = bool (*)(HANDLE file, const void* bytes, uint32_t length, uint32_t* written);
    using FlushFunction = bool (*)(HANDLE file);

    SeekFunction seek;
    WriteFunction write;
    FlushFunction flush;

    static const OverwriteIo& active();
    static const OverwriteIo& platform();
    // Makes `table` (null: the platform's) the active one; returns the table active before.
    static const OverwriteIo* install(const OverwriteIo* table);
};

}  // namespace s::file::wiper::win
