// s/file/wiper/win/PassLoop.cpp
#include "s/file/wiper/win/PassLoop.h"

#include <cstring>

#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/PatternBlock.h"

namespace s::file::wiper::win {

namespace {

constexpr uintptr_t kBufferAlignment = 4096;  // a page: enough for every sector size
constexpr uint64_t kSectorMultiple = 512;     // the smallest sector; real ones are multiples
constexpr int32_t kBufferSizeMultiple = 3 * 512;

enum class Buffering { kBuffered, kUnbuffered, kUnknown };

// The handle's mode tells whether it was opened with FILE_FLAG_NO_BUFFERING (NT's
// FILE_NO_INTERMEDIATE_BUFFERING). Wine 8.0 reports it too, though it does not enforce the
// alignment itself (checked).
Buffering bufferingOf(HANDLE file) {
    struct StatusBlock {
        LONG status;
        ULONG_PTR information;
    };
    using QueryInformationFile = LONG(WINAPI*)(HANDLE, StatusBlock*, void*, ULONG, ULONG);
    constexpr ULONG kFileModeInformation = 16;
    constexpr ULONG kNoIntermediateBuffering = 0x00000008;
    static const QueryInformationFile query = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        FARPROC found = ntdll ? GetProcAddress(ntdll, "NtQueryInformationFile") : nullptr;
        return reinterpret_cast<QueryInformationFile>(reinterpret_cast<void (*)()>(found));
    }();
    if (!query) return Buffering::kUnknown;
    StatusBlock status = {};
    ULONG mode = 0;
    if (query(file, &status, &mode, sizeof mode, kFileModeInformation) < 0) return Buffering::kUnknown;
    return (mode & kNoIntermediateBuffering) ? Buffering::kUnbuffered : Buffering::kBuffered;
}

uint32_t smaller(uint32_t a, uint64_t b) { return b < a ? static_cast<uint32_t>(b) : a; }

}  // namespace

PassLoop::PassLoop(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize, float progressFrom,
                   float progressTo, std::atomic<float>* progress, std::atomic<bool>* stop,
                   int64_t offset)
    : m_io(OverwriteIo::active()),
      m_file(file),
      m_end(end),
      m_buffer(static_cast<uint8_t*>(buffer)),
      m_bufferSize(bufferSize),
      m_from(progressFrom),
      m_to(progressTo),
      m_progress(progress),
      m_stop(stop),
      m_offset(offset) {}

bool PassLoop::run(const Pass* passes, int32_t passCount, uint32_t randomFillGranule) {
    if (m_offset < 0 || static_cast<uint64_t>(m_offset) > m_end) return false;
    const uint64_t length = m_end - static_cast<uint64_t>(m_offset);
    if (length == 0) return true;
    if (!bufferAccepted()) return false;
    m_total = static_cast<double>(passCount) * static_cast<double>(length);
    m_written = 0;
    bool result = true;
    for (int32_t p = 0; p < passCount && result && !stopRequested(); ++p)
        result = writePass(passes[p], randomFillGranule);
    return result;
}

bool PassLoop::bufferAccepted() const {
    if (!m_buffer || m_bufferSize <= 0) return false;
    Buffering buffering = bufferingOf(m_file);
    if (buffering == Buffering::kBuffered) return true;
    if (reinterpret_cast<uintptr_t>(m_buffer) % kBufferAlignment != 0) return false;
    if (m_bufferSize % kBufferSizeMultiple != 0) return false;
    if (buffering == Buffering::kUnknown) return true;
    return static_cast<uint64_t>(m_offset) % kSectorMultiple == 0 && m_end % kSectorMultiple == 0;
}

// A failed seek or flush ends the pass as a failed write does: a pass written at the wrong
// place, or not known to have reached the disk, did not complete.
bool PassLoop::writePass(const Pass& pass, uint32_t randomFillGranule) {
    if (!m_io.seek(m_file, m_offset)) return false;
    uint64_t remaining = m_end - static_cast<uint64_t>(m_offset);
    uint32_t chunk = smaller(static_cast<uint32_t>(m_bufferSize), remaining);
    if (pass.kind == Pass::kByte) std::memset(m_buffer, pass.bytes[0], chunk);
    if (pass.kind == Pass::kTriple) PatternBlock::copyInto(pass.bytes, m_buffer, chunk);
    while (!stopRequested() && remaining != 0) {
        if (pass.kind == Pass::kRandom) {
            s::file::win::RandomSource::fillRandom(randomFillLength(chunk, randomFillGranule), m_buffer);
            if (stopRequested()) break;
        }
        uint32_t written = 0;
        if (!m_io.write(m_file, m_buffer, chunk, &written) || written != chunk) break;
        if (!m_io.flush(m_file)) break;
        remaining -= chunk;
        m_written += chunk;
        reportProgress();
        chunk = smaller(chunk, remaining);
    }
    return remaining == 0;
}

uint32_t PassLoop::randomFillLength(uint32_t chunk, uint32_t granule) const {
    if (granule <= 1) return chunk;
    uint64_t rounded = (static_cast<uint64_t>(chunk) + granule - 1) / granule * granule;
    return smaller(static_cast<uint32_t>(m_bufferSize), rounded);
}

void PassLoop::reportProgress() {
    if (!m_progress) return;
    double value = static_cast<double>(m_from) + (static_cast<double>(m_to) - m_from) *
                                                     static_cast<double>(m_written) / m_total;
    if (value > m_to) value = m_to;
    m_progress->store(static_cast<float>(value), std::memory_order_relaxed);
}

}  // namespace s::file::wiper::win
