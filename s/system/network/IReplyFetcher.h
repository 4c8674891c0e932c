// s/system/network/IReplyFetcher.h
//
// Fetches the reply text of one address within a time limit: true with the reply (each
// byte one unit, at most its cap) in *reply; false, reply empty, on any failure or time-out.
// Never leaves a file behind and never takes longer than the limit by more than a step.
#pragma once
#include <cstdint>

namespace s::str::strbuffer { class StrBuffer; }

namespace s::system::network {

class IReplyFetcher {
public:
    virtual ~IReplyFetcher() = default;
    virtual bool fetch(const wchar_t* address, uint32_t limitMs,
                       s::str::strbuffer::StrBuffer* reply) = 0;
};

}  // namespace s::system::network
