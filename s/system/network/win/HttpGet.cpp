// s/system/network/win/HttpGet.cpp
#include "s/system/network/win/HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <new>

#include "s/system/network/win/CCallback.h"
#include "s/system/network/win/UrlParts.h"

namespace s::system::network::win {

namespace {

// Closes a WinINet handle when the scope ends.
class NetHandle {
public:
    explicit NetHandle(HINTERNET handle) : m_handle(handle) {}
    ~NetHandle() {
        if (m_handle) InternetCloseHandle(m_handle);
    }
    NetHandle(const NetHandle&) = delete;
    NetHandle& operator=(const NetHandle&) = delete;
    HINTERNET get() const { return m_handle; }

private:
    HINTERNET m_handle;
};

// A hung server must end the transfer: every wait of the session has a limit.
void setTimeouts(HINTERNET session) {
    DWORD ms = HttpGet::kTimeoutMs;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &ms, sizeof(ms));
    InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &ms, sizeof(ms));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &ms, sizeof(ms));
}

bool contentLength(HINTERNET request, DWORD* length) {
    DWORD size = sizeof(*length);
    return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, length,
                          &size, nullptr) != FALSE;
}

bool writeWhole(const wchar_t* target, const uint8_t* bytes, uint32_t count) {
    FILE* file = _wfopen(target, L"wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes, 1, count, file) == count;
    return std::fclose(file) == 0 && written;
}

// The body, at most capBytes, into a buffer that grows by the amount received and a block:
// its size at least doubles each time, so a long body is copied a few times, not once a block.
bool readBody(HINTERNET request, DWORD total, CCallback* callback, uint32_t capBytes,
              uint8_t** body, uint32_t* count) {
    uint32_t capacity = HttpGet::kBlockBytes + 1;
    uint8_t* buffer = new (std::nothrow) uint8_t[capacity];
    *body = buffer;
    *count = 0;
    if (!buffer) return false;
    for (;;) {
        if (capacity - *count < HttpGet::kBlockBytes) {
            const uint64_t wanted = static_cast<uint64_t>(capacity) + *count + HttpGet::kBlockBytes + 1;
            if (wanted > 0x7FFFFFFF) return false;  // beyond what a 32-bit process can hold
            const uint32_t grown = static_cast<uint32_t>(wanted);
            uint8_t* bigger = new (std::nothrow) uint8_t[grown];
            if (!bigger) return false;
            for (uint32_t i = 0; i < *count; ++i) bigger[i] = buffer[i];
            delete[] buffer;
            *body = buffer = bigger;
            capacity = grown;
        }
        DWORD read = 0;
        if (!InternetReadFile(request, buffer + *count, HttpGet::kBlockBytes, &read)) return false;
        if (read == 0) break;
        *count += read;
        if (*count > capBytes) return false;  // a flooding server changes nothing
        if (total && callback && !callback->report(total > *count ? total : *count, total)) {
            return false;
        }
    }
    // A connection closed before the announced length has arrived is no complete body.
    return total == 0 || *count >= total;
}

}  // namespace

bool HttpGet::toFile(const wchar_t* address, const wchar_t* target, const wchar_t* agent,
                     const wchar_t* referrer, CCallback* callback, uint32_t capBytes) {
    UrlParts url;
    if (!target || !url.split(address)) return false;
    NetHandle session(InternetOpenW(agent && agent[0] ? agent : kDefaultAgent,
                                    INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get()) return false;
    setTimeouts(session.get());
    NetHandle connection(InternetConnectW(session.get(), url.host.cString(), url.port, nullptr,
                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.get()) return false;
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (url.secure) flags |= INTERNET_FLAG_SECURE;
    NetHandle request(HttpOpenRequestW(connection.get(), L"GET", url.path.cString(), nullptr,
                                       referrer && referrer[0] ? referrer : nullptr, nullptr,
                                       flags, 0));
    if (!request.get() || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return false;
    DWORD total = 0;
    if (!contentLength(request.get(), &total)) {
        total = 0;
        if (callback && !callback->report(1, 1)) return false;
    }
    uint8_t* body = nullptr;
    uint32_t count = 0;
    const bool ok = readBody(request.get(), total, callback, capBytes, &body, &count) &&
                    writeWhole(target, body, count);
    delete[] body;
    return ok;
}

}  // namespace s::system::network::win
