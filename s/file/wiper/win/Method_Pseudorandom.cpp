// s/file/wiper/win/Method_Pseudorandom.cpp
#include "s/file/wiper/win/Method_Pseudorandom.h"

#include "s/file/wiper/win/PassLoop.h"
#include "s/thread/Pool.h"

namespace s::file::wiper::win {

bool Method_Pseudorandom::overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize,
                                    float progressFrom, float progressTo,
                                    std::atomic<float>* progress, std::atomic<bool>* stop,
                                    int64_t offset) {
    static constexpr PassLoop::Pass kPasses[kPassCount] = {PassLoop::Pass::random()};
    PassLoop loop(file, end, buffer, bufferSize, progressFrom, progressTo, progress, stop, offset);
    return loop.run(kPasses, kPassCount, 1);
}

s::base::IObject* Method_Pseudorandom::newInstance() const {
    return s::thread::Pool<Method_Pseudorandom>::obtain();
}

void Method_Pseudorandom::releaseToPool() { s::thread::Pool<Method_Pseudorandom>::release(this); }

}  // namespace s::file::wiper::win
