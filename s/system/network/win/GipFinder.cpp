// s/system/network/win/GipFinder.cpp
#include "s/system/network/win/GipFinder.h"

#include <windows.h>
#include <urlmon.h>

#include "s/base/Lasting.h"
#include "s/system/network/win/CCallback.h"
#include "s/system/network/win/OnlineTest.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"

namespace s::system::network::win {

using s::thread::Lock;

namespace {

constexpr DWORD kCacheNameChars = 780;

// Built with the other statics before the program's code runs, and never destroyed: a worker
// it started may still run when the run-time's exit destroys the pools.
s::base::Lasting<GipFinder> s_static;

}  // namespace

GipFinder* staticGipFinder() { return &s_static.get(); }

GipFinder::~GipFinder() {
    m_stop = true;
    if (m_worker) m_worker->releaseToPool();
}

void GipFinder::start() {
    if (m_running) return;
    if (!m_worker) m_worker = s::thread::Pool<s::thread::win::Thread>::obtain();
    if (!m_worker) return;
    m_stop = false;
    m_running = true;
    if (!m_worker->runOnce(this)) m_running = false;
}

void GipFinder::stop(bool wait) {
    m_stop = true;
    if (!wait || !m_worker) return;
    const DWORD begin = GetTickCount();
    while (!m_worker->isIdle() && GetTickCount() - begin < kStopWaitMs) Sleep(10);
}

bool GipFinder::copyAddress(s::str::strbuffer::StrBuffer* out) {
    Lock lock(m_lock);
    out->clear();
    return m_found && m_address.length() > 0 &&
           out->append(m_address.chars(), static_cast<int32_t>(m_address.length()));
}

void GipFinder::keep(const uint8_t* bytes, uint32_t count) {
    Lock lock(m_lock);
    m_address.clear();
    for (uint32_t i = 0; i < count && i < kKeptBytes; ++i) {
        if (!m_address.appendChar(static_cast<wchar_t>(bytes[i]))) break;
    }
    m_found = true;
}

bool GipFinder::fetchOnce() {
    wchar_t cacheFile[kCacheNameChars] = {};
    CCallback callback(&m_stop, nullptr, 0, 0);
    if (URLDownloadToCacheFileW(nullptr, m_service ? m_service : kServiceAddress, cacheFile,
                                kCacheNameChars, 0, &callback) != S_OK) {
        return false;
    }
    HANDLE file = CreateFileW(cacheFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    uint8_t bytes[kReadBytes];
    DWORD read = 0;
    if (ReadFile(file, bytes, kReadBytes, &read, nullptr)) keep(bytes, read);
    CloseHandle(file);
    DeleteFileW(cacheFile);
    return true;
}

void GipFinder::run() {
    while (!m_stop && !m_found) {
        if (OnlineTest::isInternetConnected() && fetchOnce()) break;
        for (uint32_t waited = 0; waited < kRetryMs && !m_stop; waited += kStepMs) Sleep(kStepMs);
    }
    m_running = false;
}

s::base::IObject* GipFinder::newInstance() const { return s::thread::Pool<GipFinder>::obtain(); }

// One still running after its stop wait is kept alive rather than reused under its worker.
void GipFinder::releaseToPool() {
    stop(true);
    if (m_running || this == staticGipFinder()) return;
    s::thread::Pool<GipFinder>::release(this);
}

void GipFinder::resetForReuse() {
    stop(true);
    Lock lock(m_lock);
    m_address.clear();
    m_found = false;
    m_stop = false;
    m_service = nullptr;
}

}  // namespace s::system::network::win
