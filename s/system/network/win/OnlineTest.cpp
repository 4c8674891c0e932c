// s/system/network/win/OnlineTest.cpp
#include "s/system/network/win/OnlineTest.h"

#include <wininet.h>

namespace s::system::network::win {

bool OnlineTest::isInternetConnected() {
    DWORD flags = 0;
    const BOOL ok = InternetGetConnectedState(&flags, 0);
    return isOnlineAnswer(ok, flags);
}

}  // namespace s::system::network::win
