// s/system/network/IGipFinder.h
//
// Fetches a short address text from the maker's address service on a worker thread,
// retrying every minute until found or stopped. Any thread; the text is copied under the
// object's lock. It belongs to the library; the program itself never starts it.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer { class StrBuffer; }

namespace s::system::network {

class IGipFinder : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void start() = 0;
    virtual void stop(bool wait) = 0;  // waits up to 2000 ms
    virtual void resetFound() = 0;
    virtual bool isFound() const = 0;
    // The address text into out (replaced); false when none was found.
    virtual bool copyAddress(s::str::strbuffer::StrBuffer* out) = 0;
};

}  // namespace s::system::network
