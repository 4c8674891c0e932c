// tests/s/file/wiper/win/RecordingIo.h
//
// Test doubles for the overwrite methods: RecordingIo replaces the methods' file calls for
// its lifetime and records every seek, write (offset, length, bytes) and flush, with faults
// to inject; PageBuffer is page-aligned memory from VirtualAlloc, as the wiper's buffer is.
// Nested ones stack (the innermost records); use them on the thread that runs the method.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "s/file/wiper/win/OverwriteIo.h"

namespace tests {

// Not a file: the methods must reach it only through the recording table.
inline const HANDLE kFakeFile = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5EA1));

class PageBuffer {
public:
    explicit PageBuffer(int32_t size, uint8_t fill = 0xEE)
        : m_size(size),
          m_data(static_cast<uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE))) {
        if (m_data) memset(m_data, fill, size);
    }
    ~PageBuffer() {
        if (m_data) VirtualFree(m_data, 0, MEM_RELEASE);
    }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;
    uint8_t* data() const { return m_data; }
    int32_t size() const { return m_size; }

private:
    int32_t m_size;
    uint8_t* m_data;
};

struct IoEvent {
    enum Kind { kSeek, kWrite, kFlush } kind;
    int64_t offset;   // seek target, or where a write started
    uint32_t length;  // bytes asked to write
    std::string bytes;  // the bytes written (empty unless kept)
    float progress;     // the progress value seen when the call came
};

// The writes that follow one seek.
struct PassRecord {
    int64_t start = 0;
    std::string bytes;
    std::vector<uint32_t> chunks;
    bool contiguous = true;   // every write began where the previous one ended
    float progressAtStart = 0;
};

class RecordingIo {
public:
    RecordingIo() : m_table{&seek, &write, &flush}, m_outer(s_current) {
        s_current = this;
        m_previous = s::file::wiper::win::OverwriteIo::install(&m_table);
    }
    ~RecordingIo() {
        s::file::wiper::win::OverwriteIo::install(m_previous);
        s_current = m_outer;
    }
    RecordingIo(const RecordingIo&) = delete;
    RecordingIo& operator=(const RecordingIo&) = delete;

    bool keepBytes = true;
    std::atomic<float>* progress = nullptr;  // sampled at every call
    std::atomic<bool>* stop = nullptr;       // raised by the write numbered stopAtWrite
    int stopAtWrite = -1;
    int failSeekAt = -1, failWriteAt = -1, shortWriteAt = -1, failFlushAt = -1;  // call numbers from 0

    std::vector<IoEvent> events;

    int count(IoEvent::Kind kind) const {
        int n = 0;
        for (const IoEvent& e : events) n += e.kind == kind;
        return n;
    }

    std::vector<PassRecord> passes() const {
        std::vector<PassRecord> out;
        for (const IoEvent& e : events) {
            if (e.kind == IoEvent::kSeek) {
                out.emplace_back();
                out.back().start = e.offset;
                out.back().progressAtStart = e.progress;
            } else if (e.kind == IoEvent::kWrite && !out.empty()) {
                PassRecord& pass = out.back();
                int64_t expected = pass.start;
                for (uint32_t c : pass.chunks) expected += c;
                pass.contiguous = pass.contiguous && e.offset == expected;
                pass.chunks.push_back(e.length);
                pass.bytes += e.bytes;
            }
        }
        return out;
    }

private:
    float sample() const { return progress ? progress->load() : 0.0f; }

    static bool seek(HANDLE, int64_t offset) {
        RecordingIo& r = *s_current;
        r.events.push_back({IoEvent::kSeek, offset, 0, {}, r.sample()});
        if (r.m_seeks++ == r.failSeekAt) return false;
        r.m_position = offset;
        return true;
    }
    static bool write(HANDLE, const void* bytes, uint32_t length, uint32_t* written) {
        RecordingIo& r = *s_current;
        int n = r.m_writes++;
        uint32_t done = n == r.failWriteAt ? 0 : n == r.shortWriteAt ? length - 512 : length;
        const char* from = static_cast<const char*>(bytes);
        r.events.push_back({IoEvent::kWrite, r.m_position, length,
                            r.keepBytes ? std::string(from, done) : std::string(), r.sample()});
        *written = done;
        if (n == r.failWriteAt) return false;
        r.m_position += done;
        *written = done;
        if (n == r.stopAtWrite && r.stop) *r.stop = true;
        return true;
    }
    static bool flush(HANDLE) {
        RecordingIo& r = *s_current;
        r.events.push_back({IoEvent::kFlush, r.m_position, 0, {}, r.sample()});
        return r.m_flushes++ != r.failFlushAt;
    }

    inline static RecordingIo* s_current = nullptr;
    const s::file::wiper::win::OverwriteIo m_table;
    RecordingIo* const m_outer;
    const s::file::wiper::win::OverwriteIo* m_previous = nullptr;
    int64_t m_position = 0;
    int m_seeks = 0, m_writes = 0, m_flushes = 0;
};

}  // namespace tests
