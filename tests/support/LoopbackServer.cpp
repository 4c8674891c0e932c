// tests/support/LoopbackServer.cpp
// Winsock must come before windows.h.
#include <winsock2.h>
#include <windows.h>

#include "support/LoopbackServer.h"

#include <cstdio>

namespace tests {

namespace {

constexpr DWORD kStepMs = 100;
constexpr size_t kFloodBytes = 4 * 1024 * 1024;

bool readable(SOCKET s, DWORD ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit = {0, static_cast<long>(ms * 1000)};
    return select(0, &set, nullptr, nullptr, &limit) > 0;
}

void sendAll(SOCKET s, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        const int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

LoopbackServer::LoopbackServer(std::map<std::string, Case> cases, DWORD lifetimeMs)
    : m_cases(std::move(cases)), m_deadline(GetTickCount() + lifetimeMs) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listener == INVALID_SOCKET) return;
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never any other address
    at.sin_port = 0;
    int size = sizeof(at);
    if (bind(m_listener, reinterpret_cast<sockaddr*>(&at), sizeof(at)) != 0 ||
        listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        return;
    }
    m_port = ntohs(at.sin_port);
    m_thread = CreateThread(nullptr, 0, &serve, this, 0, nullptr);
}

LoopbackServer::~LoopbackServer() {
    InterlockedExchange(&m_stop, 1);
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    if (m_listener != INVALID_SOCKET) closesocket(m_listener);
    WSACleanup();
}

std::wstring LoopbackServer::address(const std::string& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + std::wstring(path.begin(), path.end());
}

std::vector<std::string> LoopbackServer::hits() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_hits;
}

bool LoopbackServer::stopping() const {
    return m_stop != 0 || static_cast<LONG>(GetTickCount() - m_deadline) >= 0;
}

unsigned long __stdcall LoopbackServer::serve(void* self) {
    static_cast<LoopbackServer*>(self)->loop();
    return 0;
}

void LoopbackServer::loop() {
    while (!stopping()) {
        if (!readable(m_listener, kStepMs)) continue;
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        answer(client);
        closesocket(client);
    }
}

void LoopbackServer::answer(uintptr_t client) {
    std::string request;
    char block[1024];
    while (request.find("\r\n\r\n") == std::string::npos && !stopping()) {
        if (!readable(client, kStepMs)) continue;
        const int n = recv(client, block, sizeof(block), 0);
        if (n <= 0) return;
        request.append(block, static_cast<size_t>(n));
    }
    const size_t begin = request.find(' ');
    const size_t end = begin == std::string::npos ? begin : request.find(' ', begin + 1);
    const std::string path = end == std::string::npos ? "" : request.substr(begin + 1, end - begin - 1);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_hits.push_back(path);
    }
    auto found = m_cases.find(path);
    const Case c = found == m_cases.end() ? Case{404, "not here", Mode::kReply} : found->second;
    if (c.mode == Mode::kSilent) {
        while (!stopping()) Sleep(kStepMs);
        return;
    }
    const std::string body = c.mode == Mode::kFlood ? std::string(kFloodBytes, '*') : c.body;
    char head[256];
    std::snprintf(head, sizeof(head),
                  "HTTP/1.0 %d X\r\nContent-Type: text/plain\r\nCache-Control: no-store\r\n"
                  "Content-Length: %u\r\nConnection: close\r\n\r\n",
                  c.status, static_cast<unsigned>(body.size()));
    sendAll(client, head + body);
}

}  // namespace tests
