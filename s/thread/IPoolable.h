// s/thread/IPoolable.h
//
// An object that goes back to its class's pool instead of being deleted by its user.
// resetForReuse() returns it to the state its constructor leaves.
//
// Classes derive from it virtually: an array is a poolable object and also an input and an
// output stream, each of which is poolable too, and they must share one IPoolable.
#pragma once

namespace s::thread {

class IPoolable {
public:
    virtual ~IPoolable() = default;
    virtual void releaseToPool() = 0;
    virtual void resetForReuse() = 0;
};

}  // namespace s::thread
