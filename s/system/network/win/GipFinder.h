// s/system/network/win/GipFinder.h
//
// The address-service task: when online, fetches the service's reply into the internet
// cache, keeps its first 32 bytes (each one unit) as the address and deletes the cache
// file; otherwise waits 60 s in 200 ms steps, ending at once on a stop. Never terminates
// its thread: a stop is seen by the status callback and between steps. Pooled, and one static
// instance besides.
#pragma once
#include <atomic>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IGipFinder.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win { class Thread; }

namespace s::system::network::win {

class GipFinder final : public s::system::network::IGipFinder, public s::thread::ITask {
public:
    static constexpr const wchar_t* kServiceAddress = L"http://www.brakvane.example/ip/";
    static constexpr uint32_t kReadBytes = 100;
    static constexpr uint32_t kKeptBytes = 32;
    static constexpr uint32_t kRetryMs = 60000;
    static constexpr uint32_t kStepMs = 200;
    static constexpr uint32_t kStopWaitMs = 2000;

    GipFinder() = default;
    ~GipFinder() override;
    GipFinder(const GipFinder&) = delete;
    GipFinder& operator=(const GipFinder&) = delete;

    // The address asked (null: the service's); for tests against a local server.
    void setAddress(const wchar_t* address) { m_service = address; }

    // IGipFinder
    void start() override;
    void stop(bool wait) override;
    void resetFound() override { m_found = false; }
    bool isFound() const override { return m_found; }
    bool copyAddress(s::str::strbuffer::StrBuffer* out) override;

    // ITask
    void run() override;

    // IObject
    const wchar_t* classId() const override { return L"s_system_network_win_GipFinder"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool fetchOnce();  // true when the task is to end (found, or a cache file unreadable)
    void keep(const uint8_t* bytes, uint32_t count);

    s::thread::win::Thread* m_worker = nullptr;
    const wchar_t* m_service = nullptr;
    s::str::strbuffer::StrBuffer m_address;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_found{false};
    s::thread::ObjLocker m_lock;
};

// The one instance made at start-up, by a static initialiser (it starts no thread); nothing in
// the program starts it. It is no pool's and lives until the process ends: releasing it only
// stops it.
GipFinder* staticGipFinder();

}  // namespace s::system::network::win
