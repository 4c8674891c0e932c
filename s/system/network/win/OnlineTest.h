// s/system/network/win/OnlineTest.h
//
// The system's answer to "is the machine online": InternetGetConnectedState succeeds and its
// flags are not exactly "offline". Any thread.
#pragma once
#include <windows.h>

#include "s/system/network/IOnlineTest.h"

namespace s::system::network::win {

class OnlineTest final : public s::system::network::IOnlineTest {
public:
    static constexpr DWORD kOfflineFlags = 0x20;  // INTERNET_CONNECTION_OFFLINE

    bool isOnline() override { return isInternetConnected(); }
    static bool isInternetConnected();
    static bool isOnlineAnswer(BOOL succeeded, DWORD flags) {
        return succeeded && flags != kOfflineFlags;
    }
};

}  // namespace s::system::network::win
