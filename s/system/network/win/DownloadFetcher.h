// s/system/network/win/DownloadFetcher.h
//
// The update check's real fetcher: a Downloader from its pool with option 1, for one
// address and one time limit, given back to its pool afterwards (parked while its worker
// still runs). Called on the check's thread.
#pragma once
#include "s/system/network/IReplyFetcher.h"

namespace s::system::network { class IOnlineTest; }

namespace s::system::network::win {

class DownloadFetcher final : public s::system::network::IReplyFetcher {
public:
    explicit DownloadFetcher(s::system::network::IOnlineTest* online = nullptr)
        : m_online(online) {}

    bool fetch(const wchar_t* address, uint32_t limitMs,
               s::str::strbuffer::StrBuffer* reply) override;

private:
    s::system::network::IOnlineTest* m_online;
};

}  // namespace s::system::network::win
