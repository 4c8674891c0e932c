// s/file/wiper/IWiper.h
//
// The engine that destroys files: given paths, an overwrite method and four repeat counts,
// it works through the paths on its own worker thread, overwriting, cutting, renaming,
// re-attributing, re-stamping and deleting every file, folder and alternate data stream.
// Configure it only while it is idle (configuration calls are ignored during a run); any
// thread may poll the progress and the item in work and ask it to stop.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/file/wiper/Survival.h"

namespace s::str::strbuffer { class StrBuffer; }
namespace s::str::strarray { class StrArray; }

namespace s::file::wiper {

class IMethod;

class IWiper : public s::base::IObject {
public:
    // Allocates the write buffer; false (and the wiper reset) when it cannot.
    virtual bool prepare() = 0;
    // Frees the buffer and the method, empties the queue, the item text and the failures,
    // takes a new reference time; counts 2, slack mode off.
    virtual void reset() = 0;
    // Takes over the method (null allowed: a run then does nothing).
    virtual void setMethod(IMethod* method) = 0;
    virtual void setSizeChangeCount(int32_t count) = 0;
    virtual void setRenameCount(int32_t count) = 0;
    virtual void setAttributeChangeCount(int32_t count) = 0;
    virtual void setTimestampChangeCount(int32_t count) = 0;
    virtual void setSlackMode(bool on) = 0;
    virtual bool addPath(const wchar_t* path) = 0;
    // Starts a run on the worker; false when it did not start (running, no buffer, no thread).
    // A stop asked while idle does not carry over into the run.
    virtual bool start() = 0;
    virtual bool isRunning() const = 0;
    // Asks the run to end; with wait, returns when the wiper is idle (after at most about
    // 5 s, when the worker is terminated and replaced).
    virtual void stop(bool wait) = 0;
    virtual int32_t getProgressPercent() const = 0;  // 0 to 100
    // The name of the item in work into out (emptied first); nothing when out is null.
    virtual void getCurrentPath(s::str::strbuffer::StrBuffer* out) = 0;
    virtual void addFailedPath(const wchar_t* text) = 0;
    // Copies of the paths that could not be wiped (those a stop kept the run from reaching
    // among them), in a pooled list the caller releases.
    virtual s::str::strarray::StrArray* getFailedPaths() = 0;
    // The same list entry by entry, for the end-of-run list: the path an item was queued or
    // found by, why it is still there, and the name it has now where that is another one
    // (else emptied). False, and nothing written, beyond the list.
    virtual uint32_t getFailedCount() = 0;
    virtual bool getFailedEntry(uint32_t index, s::str::strbuffer::StrBuffer* path, Survival* why,
                                s::str::strbuffer::StrBuffer* nowNamed) = 0;
};

}  // namespace s::file::wiper
