// s/system/network/win/UrlParts.h
//
// An address split into scheme, host, port and path for the HTTP calls. Pure, no lock.
// The scheme must open the address ("http://" or "https://", any case); an optional ":port"
// follows the host (so that a test can reach a loopback port); no "/" after the host, an
// empty host or a bad port refuse the address (false).
#pragma once
#include <cstdint>

#include "s/str/strbuffer/StrBuffer.h"

namespace s::system::network::win {

class UrlParts {
public:
    bool split(const wchar_t* address);

    bool secure = false;
    uint16_t port = 0;
    s::str::strbuffer::StrBuffer host;
    s::str::strbuffer::StrBuffer path;  // from the "/" after the host to the end
};

}  // namespace s::system::network::win
