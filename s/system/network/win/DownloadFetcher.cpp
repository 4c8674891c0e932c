// s/system/network/win/DownloadFetcher.cpp
#include "s/system/network/win/DownloadFetcher.h"

#include "s/system/network/win/Downloader.h"
#include "s/thread/Pool.h"

namespace s::system::network::win {

bool DownloadFetcher::fetch(const wchar_t* address, uint32_t limitMs,
                            s::str::strbuffer::StrBuffer* reply) {
    reply->clear();
    Downloader* downloader = s::thread::Pool<Downloader>::obtain();
    if (!downloader) return false;
    downloader->setOnlineTest(m_online);
    downloader->setUrl(address);
    downloader->setOption(1);
    bool done = downloader->download(static_cast<int32_t>(limitMs), 0, 0, nullptr);
    if (done) {
        const s::str::strbuffer::StrBuffer* text = downloader->replyText();
        done = reply->append(text->chars(), static_cast<int32_t>(text->length()));
    }
    downloader->releaseToPool();
    return done;
}

}  // namespace s::system::network::win
