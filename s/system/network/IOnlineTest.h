// s/system/network/IOnlineTest.h
//
// Whether the machine is online. A seam: under Wine the system always answers online.
#pragma once

namespace s::system::network {

class IOnlineTest {
public:
    virtual ~IOnlineTest() = default;
    virtual bool isOnline() = 0;
};

}  // namespace s::system::network
