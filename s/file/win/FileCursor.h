// s/file/win/FileCursor.h
//
// A file handle with the position the file streams report, and the seeks both streams
// share (SetFilePointerEx). The cursor does not own the handle: its stream opens and closes
// it. A failed seek answers false (or 0 moved) and keeps the position.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::file::win {

class FileCursor {
public:
    HANDLE handle = INVALID_HANDLE_VALUE;
    uint64_t position = 0;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    bool seekStart() { return moveTo(0, FILE_BEGIN); }
    bool seekEnd() { return moveTo(0, FILE_END); }
    bool seek(uint64_t to);
    bool seekFromEnd(uint64_t distance);  // never before the start
    uint64_t skip(uint64_t distance);
    uint64_t skipBack(uint64_t distance);  // never before the start
    bool size(uint64_t* bytes) const;
    // One ReadFile at the position, which grows by the count; true only when a byte was read
    // (and for a request of nothing on an open handle). *count (when given) gets the count.
    bool read(void* buffer, uint32_t max, uint32_t* count);

private:
    bool moveTo(int64_t distance, DWORD method);
};

}  // namespace s::file::win
