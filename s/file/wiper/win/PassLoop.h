// s/file/wiper/win/PassLoop.h
//
// The pass loop that every overwrite method runs: one object per overwrite call, on the
// caller's thread, holding the call's arguments (see IMethod::overwrite for the contract).
// Each pass seeks to the range's start and writes the whole range in chunks of at most the
// buffer's size, each written and flushed at once, with the progress moved after each chunk
// and the stop flag tested before each chunk and after each random refill.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "s/file/wiper/win/OverwriteIo.h"

namespace s::file::wiper::win {

class PassLoop {
public:
    struct Pass {
        enum Kind : uint8_t { kByte, kTriple, kRandom };
        Kind kind;
        uint8_t bytes[3];

        static constexpr Pass byte(uint8_t value) { return {kByte, {value, value, value}}; }
        static constexpr Pass triple(uint8_t a, uint8_t b, uint8_t c) { return {kTriple, {a, b, c}}; }
        static constexpr Pass random() { return {kRandom, {0, 0, 0}}; }
    };

    PassLoop(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize, float progressFrom,
             float progressTo, std::atomic<float>* progress, std::atomic<bool>* stop, int64_t offset);
    PassLoop(const PassLoop&) = delete;
    PassLoop& operator=(const PassLoop&) = delete;

    // Runs the passes in order. A random pass refills the chunk rounded up to a multiple of
    // randomFillGranule (never beyond the buffer) before every write.
    bool run(const Pass* passes, int32_t passCount, uint32_t randomFillGranule);

private:
    bool bufferAccepted() const;
    bool writePass(const Pass& pass, uint32_t randomFillGranule);
    uint32_t randomFillLength(uint32_t chunk, uint32_t granule) const;
    void reportProgress();
    bool stopRequested() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    const OverwriteIo& m_io;
    const HANDLE m_file;
    const uint64_t m_end;
    uint8_t* const m_buffer;
    const int32_t m_bufferSize;
    const float m_from;
    const float m_to;
    std::atomic<float>* const m_progress;
    std::atomic<bool>* const m_stop;
    const int64_t m_offset;
    double m_total = 0;       // bytes of all passes
    uint64_t m_written = 0;   // bytes written so far in this call
};

}  // namespace s::file::wiper::win
