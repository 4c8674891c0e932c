// s/system/network/IDownloader.h
//
// Downloads one address on a worker thread of its own while the caller waits up to a time
// limit. Option 1 reads the downloaded file back as the reply text and deletes it. Any
// thread may call it; the reply and the done flag are written under the object's lock.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer { class StrBuffer; }

namespace s::system::network {

class IDownloader : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // Progress: (progress, 0, total, 0, first user value, second user value).
    using ProgressFunction = void (*)(uint32_t progress, uint32_t, uint32_t total, uint32_t,
                                      uintptr_t user1, uintptr_t user2);

    virtual void start() = 0;
    virtual void stop(bool wait) = 0;
    virtual void setUrl(const wchar_t* address) = 0;
    virtual void setOption(uint8_t option) = 0;
    virtual void setAgent(const wchar_t* agent) = 0;
    virtual void setReferrer(const wchar_t* referrer) = 0;
    // The done flag after at most limitMs (in 200 ms steps).
    virtual bool download(int32_t limitMs, uintptr_t user1, uintptr_t user2,
                          ProgressFunction progress) = 0;
    virtual bool isDone() const = 0;
    virtual const s::str::strbuffer::StrBuffer* targetPath() const = 0;
    virtual const s::str::strbuffer::StrBuffer* replyText() const = 0;
};

}  // namespace s::system::network
