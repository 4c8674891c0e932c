// s/file/wiper/win/OverwriteIo.cpp
#include "s/file/wiper/win/OverwriteIo.h"

#include <atomic>

namespace s::file::wiper::win {

namespace {

bool seekFile(HANDLE file, int64_t offsetFromStart) {
    LARGE_INTEGER to;
    to.QuadPart = offsetFromStart;
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

bool writeFile(HANDLE file, const void* bytes, uint32_t length, uint32_t* written) {
    DWORD done = 0;
    BOOL ok = WriteFile(file, bytes, length, &done, nullptr);
    *written = done;
    return ok != FALSE;
}

bool flushFile(HANDLE file) { return FlushFileBuffers(file) != FALSE; }

constexpr OverwriteIo kPlatform = {&seekFile, &writeFile, &flushFile};
std::atomic<const OverwriteIo*> s_active{&kPlatform};

}  // namespace

const OverwriteIo& OverwriteIo::active() { return *s_active.load(std::memory_order_acquire); }

const OverwriteIo& OverwriteIo::platform() { return kPlatform; }

const OverwriteIo* OverwriteIo::install(const OverwriteIo* table) {
    return s_active.exchange(table ? table : &kPlatform, std::memory_order_acq_rel);
}

}  // namespace s::file::wiper::win
