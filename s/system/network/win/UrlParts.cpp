// s/system/network/win/UrlParts.cpp
#include "s/system/network/win/UrlParts.h"

#include <wchar.h>

namespace s::system::network::win {

bool UrlParts::split(const wchar_t* address) {
    host.clear();
    path.clear();
    if (!address) return false;
    const wchar_t* rest = nullptr;
    if (_wcsnicmp(address, L"http://", 7) == 0) secure = false, rest = address + 7;
    else if (_wcsnicmp(address, L"https://", 8) == 0) secure = true, rest = address + 8;
    else return false;
    const wchar_t* slash = wcschr(rest, L'/');
    if (!slash) return false;
    const wchar_t* colon = wmemchr(rest, L':', static_cast<size_t>(slash - rest));
    const wchar_t* hostEnd = colon ? colon : slash;
    if (hostEnd == rest) return false;
    port = secure ? 443 : 80;
    if (colon) {
        uint32_t value = 0;
        if (colon + 1 == slash) return false;
        for (const wchar_t* c = colon + 1; c < slash; ++c) {
            if (*c < L'0' || *c > L'9') return false;
            value = value * 10 + static_cast<uint32_t>(*c - L'0');
            if (value > 65535) return false;
        }
        if (value == 0) return false;
        port = static_cast<uint16_t>(value);
    }
    return host.append(rest, static_cast<int32_t>(hostEnd - rest)) && path.append(slash);
}

}  // namespace s::system::network::win
