// s/file/win/FileCursor.cpp
#include "s/file/win/FileCursor.h"

namespace s::file::win {

namespace {

constexpr uint64_t kLargestOffset = 0x7FFFFFFFFFFFFFFFULL;

}  // namespace

bool FileCursor::moveTo(int64_t distance, DWORD method) {
    if (!isOpen()) return false;
    LARGE_INTEGER move, now;
    move.QuadPart = distance;
    if (!SetFilePointerEx(handle, move, &now, method)) return false;
    position = static_cast<uint64_t>(now.QuadPart);
    return true;
}

bool FileCursor::seek(uint64_t to) { return to <= kLargestOffset && moveTo(static_cast<int64_t>(to), FILE_BEGIN); }

bool FileCursor::seekFromEnd(uint64_t distance) {
    uint64_t bytes;
    if (!size(&bytes)) return false;
    return seek(distance >= bytes ? 0 : bytes - distance);
}

uint64_t FileCursor::skip(uint64_t distance) {
    const uint64_t from = position;
    if (distance > kLargestOffset - from || !seek(from + distance)) return 0;
    return position - from;
}

uint64_t FileCursor::skipBack(uint64_t distance) {
    const uint64_t from = position;
    if (!seek(distance >= from ? 0 : from - distance)) return 0;
    return from - position;
}

bool FileCursor::size(uint64_t* bytes) const {
    LARGE_INTEGER n;
    if (!isOpen() || !GetFileSizeEx(handle, &n)) return false;
    *bytes = static_cast<uint64_t>(n.QuadPart);
    return true;
}

bool FileCursor::read(void* buffer, uint32_t max, uint32_t* count) {
    if (count) *count = 0;
    if (!isOpen()) return false;
    if (max == 0) return true;
    DWORD got = 0;
    if (!buffer || !ReadFile(handle, buffer, max, &got, nullptr) || got == 0) return false;
    position += got;
    if (count) *count = got;
    return true;
}

}  // namespace s::file::win
