// tests/support/LoopbackServer.h
//
// A small HTTP server of the tests, on 127.0.0.1 only and a port the system picks, run on a
// thread of its own. Each path has its case: a status and body, a flood of a few megabytes,
// or no answer at all (the connection is held until the server stops). Every request path
// is logged. It stops when destroyed, or by itself after its lifetime, so a test that
// forgets it never leaves it running.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tests {

class LoopbackServer {
public:
    enum class Mode { kReply, kFlood, kSilent };
    struct Case {
        int status;
        std::string body;
        Mode mode;
    };

    explicit LoopbackServer(std::map<std::string, Case> cases, unsigned long lifetimeMs = 30000);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool started() const { return m_thread != nullptr; }
    unsigned short port() const { return m_port; }
    std::wstring address(const std::string& path) const;  // http://127.0.0.1:<port><path>
    std::vector<std::string> hits();

private:
    static unsigned long __stdcall serve(void* self);
    void loop();
    void answer(uintptr_t client);  // a SOCKET
    bool stopping() const;

    std::map<std::string, Case> m_cases;
    unsigned long m_deadline;
    uintptr_t m_listener = ~uintptr_t(0);  // INVALID_SOCKET
    unsigned short m_port = 0;
    void* m_thread = nullptr;
    volatile long m_stop = 0;
    std::mutex m_lock;
    std::vector<std::string> m_hits;
};

}  // namespace tests
