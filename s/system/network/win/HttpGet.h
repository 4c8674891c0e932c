// s/system/network/win/HttpGet.h
//
// One HTTP GET of an address into a file, with a user agent and a referrer, through WinINet.
// Connect, send and receive each have a time limit, the body may be capped, and the callback
// can end the transfer between blocks; any failure closes every handle and answers false,
// leaving the target file as it was. Runs on the downloading thread.
#pragma once
#include <cstdint>

namespace s::system::network::win {

class CCallback;

class HttpGet {
public:
    static constexpr uint32_t kBlockBytes = 5000;
    static constexpr uint32_t kTimeoutMs = 8000;
    static constexpr const wchar_t* kDefaultAgent =
        L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";
    static constexpr uint32_t kUncapped = 0xFFFFFFFF;  // only memory bounds the body

    // agent null or empty: the default one; referrer null or empty: none. A body longer than
    // capBytes fails the whole GET.
    static bool toFile(const wchar_t* address, const wchar_t* target, const wchar_t* agent,
                       const wchar_t* referrer, CCallback* callback, uint32_t capBytes);
};

}  // namespace s::system::network::win
