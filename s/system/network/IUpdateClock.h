// s/system/network/IUpdateClock.h
//
// The clock of the update check: milliseconds since 1970. A seam so that tests set the hour.
#pragma once
#include <cstdint>

namespace s::system::network {

class IUpdateClock {
public:
    virtual ~IUpdateClock() = default;
    virtual int64_t currentTimeMillis() = 0;
};

}  // namespace s::system::network
