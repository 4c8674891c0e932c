// s/system/network/win/Downloader.cpp
#include "s/system/network/win/Downloader.h"

#include <windows.h>
#include <urlmon.h>

#include "s/system/network/IOnlineTest.h"
#include "s/system/network/win/CCallback.h"
#include "s/system/network/win/HttpGet.h"
#include "s/system/network/win/OnlineTest.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"

namespace s::system::network::win {

using s::str::strbuffer::StrBuffer;
using s::thread::Lock;

namespace {

constexpr uint32_t kParkedCapacity = 32;
constexpr int32_t kStopWaitMs = 100;

// Downloaders whose worker still ran when they were released.
struct Parked {
    s::thread::ObjLocker lock;
    Downloader* items[kParkedCapacity] = {};
};

Parked* parked() {
    static Parked* const list = new (std::nothrow) Parked();
    return list;
}

void setText(StrBuffer* text, const wchar_t* value) {
    text->clear();
    if (value) text->append(value);
}

}  // namespace

Downloader::~Downloader() {
    m_stop = true;
    if (m_worker) m_worker->releaseToPool();  // the pool stops it; its run completes first
}

void Downloader::setUrl(const wchar_t* address) { setText(&m_url, address); }
void Downloader::setAgent(const wchar_t* agent) { setText(&m_agent, agent); }
void Downloader::setReferrer(const wchar_t* referrer) { setText(&m_referrer, referrer); }

bool Downloader::online() {
    return m_online ? m_online->isOnline() : OnlineTest::isInternetConnected();
}

void Downloader::start() {
    if (m_done) return;
    if (m_running && m_stop) {
        stop(true);
        if (m_running) return;
    }
    if (m_running) return;
    if (!m_worker) m_worker = s::thread::Pool<s::thread::win::Thread>::obtain();
    if (!m_worker) return;
    m_stop = false;
    m_running = true;
    if (!m_worker->runOnce(this)) m_running = false;
}

// Never terminates the worker: the callback answers E_ABORT and the HTTP path has
// time-outs, so the transfer ends by itself.
void Downloader::stop(bool wait) {
    m_stop = true;
    if (!wait || !m_worker) return;
    const DWORD begin = GetTickCount();
    while (!m_worker->isIdle() && GetTickCount() - begin < static_cast<DWORD>(kStopWaitMs)) {
        Sleep(10);
    }
    if (m_worker->isIdle()) m_stop = false;
}

bool Downloader::download(int32_t limitMs, uintptr_t user1, uintptr_t user2,
                          ProgressFunction progress) {
    if (!online()) return false;
    m_user1 = user1;
    m_user2 = user2;
    m_progress = progress;
    start();
    if (!m_running) return m_done;
    for (int32_t left = limitMs; !m_done && left > 0 && m_running; left -= kPollMs) Sleep(kPollMs);
    if (m_running) {
        Lock lock(m_lock);
        if (!m_done) stop(true);
    }
    return m_done;
}

bool Downloader::makeTempFileName(StrBuffer* out) {
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    out->clear();
    return n > 0 && n <= MAX_PATH && GetTempFileNameW(folder, L"NEW", 0, name) != 0 &&
           out->append(name);
}

bool Downloader::fetchToTarget() {
    CCallback callback(&m_stop, m_progress, m_user1, m_user2);
    if (m_agent.length() || m_referrer.length()) {
        // Only a reply read back as text is capped; a download to a file takes what comes.
        const uint32_t cap = m_option == 1 ? kReplyCapBytes : HttpGet::kUncapped;
        return HttpGet::toFile(m_url.cString(), m_target.cString(), m_agent.cString(),
                               m_referrer.cString(), &callback, cap);
    }
    // The callback goes along always: it is what ends a download that was asked to stop.
    return URLDownloadToFileW(nullptr, m_url.cString(), m_target.cString(), 0, &callback) == S_OK;
}

// The file's bytes as units of the same value, at most the cap; done when any was read.
void Downloader::readReply() {
    HANDLE file = CreateFileW(m_target.cString(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    uint8_t block[4096];
    DWORD read = 0;
    uint32_t total = 0;
    Lock lock(m_lock);
    m_reply.clear();
    while (total < kReplyCapBytes && ReadFile(file, block, sizeof(block), &read, nullptr) && read) {
        for (DWORD i = 0; i < read && total < kReplyCapBytes; ++i, ++total) {
            if (!m_reply.appendChar(static_cast<wchar_t>(block[i]))) total = kReplyCapBytes;
        }
    }
    CloseHandle(file);
    if (m_reply.length() > 0) m_done = true;
}

void Downloader::run() {
    if (online() && !m_stop && makeTempFileName(&m_target)) {
        const bool fetched = !m_stop && fetchToTarget();
        if (fetched && m_option == 0) {
            Lock lock(m_lock);
            m_done = true;
        } else {
            if (fetched) readReply();
            DeleteFileW(m_target.cString());  // option 1 or a failure: nothing stays behind
        }
    }
    m_running = false;
}

s::base::IObject* Downloader::newInstance() const {
    return s::thread::Pool<Downloader>::obtain();
}

void Downloader::releaseParked() {
    Parked* list = parked();
    if (!list) return;
    Lock lock(list->lock);
    for (Downloader*& item : list->items) {
        if (item && !item->m_running && (!item->m_worker || item->m_worker->isIdle())) {
            s::thread::Pool<Downloader>::release(item);
            item = nullptr;
        }
    }
}

void Downloader::releaseToPool() {
    releaseParked();
    m_stop = true;
    if (m_running || (m_worker && !m_worker->isIdle())) {
        // Full or no list: keep it alive rather than reuse what a worker still touches.
        Parked* list = parked();
        if (!list) return;
        Lock lock(list->lock);
        for (Downloader*& item : list->items) {
            if (!item) {
                item = this;
                return;
            }
        }
        return;
    }
    s::thread::Pool<Downloader>::release(this);
}

void Downloader::resetForReuse() {
    stop(true);
    Lock lock(m_lock);
    m_url.clear();
    m_agent.clear();
    m_referrer.clear();
    m_target.clear();
    m_reply.clear();
    m_option = 0;
    m_progress = nullptr;
    m_user1 = m_user2 = 0;
    m_online = nullptr;
    m_done = false;
    m_stop = false;
}

}  // namespace s::system::network::win
