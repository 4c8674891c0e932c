// s/file/win/StreamRecordWalk.cpp
#include "s/file/win/StreamRecordWalk.h"

#include <cstring>

#include "s/str/strbuffer/AsciiCase.h"

namespace s::file::win {

namespace {

constexpr uint32_t kHeaderBytes = 24;  // next offset, name length, size, allocation size
constexpr uint32_t kShortestNameBytes = 4;

template <class T>
T readAt(const uint8_t* buffer, uint64_t offset) {
    T value;
    std::memcpy(&value, buffer + offset, sizeof value);
    return value;
}

bool isDefaultStream(const wchar_t* name, uint32_t length) {
    static const wchar_t kDefault[] = L"::$DATA";
    if (length != 7) return false;
    for (uint32_t i = 0; i < length; ++i) {
        if (s::str::strbuffer::lowerAscii(name[i]) != s::str::strbuffer::lowerAscii(kDefault[i])) return false;
    }
    return true;
}

// ":name:$DATA" without its type: up to the second colon.
uint32_t withoutType(const wchar_t* name, uint32_t length) {
    for (uint32_t i = 1; i < length; ++i) {
        if (name[i] == L':') return i;
    }
    return length;
}

}  // namespace

uint32_t walkStreamRecords(const uint8_t* buffer, uint32_t byteCount, StreamVisitor visitor, void* context) {
    if (!buffer || !visitor) return 0;
    uint32_t visited = 0;
    wchar_t name[kLongestStreamName];
    for (uint64_t offset = 0; offset + kHeaderBytes <= byteCount;) {
        const uint32_t next = readAt<uint32_t>(buffer, offset);
        const uint32_t nameBytes = readAt<uint32_t>(buffer, offset + 4);
        const int64_t size = readAt<int64_t>(buffer, offset + 8);
        if (nameBytes > byteCount - offset - kHeaderBytes) break;
        const uint32_t length = nameBytes / 2;
        if (length >= kLongestStreamName) break;
        if (nameBytes >= kShortestNameBytes) {
            std::memcpy(name, buffer + offset + kHeaderBytes, static_cast<size_t>(length) * 2);
            const uint32_t kept = withoutType(name, length);
            if (name[0] == L':' && kept > 1 && !isDefaultStream(name, length)) {
                ++visited;
                if (!visitor(name, kept, size, context)) break;
            }
        }
        if (next == 0 || next < kHeaderBytes + nameBytes) break;
        offset += next;
    }
    return visited;
}

}  // namespace s::file::win
