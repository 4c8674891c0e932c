// s/file/wiper/win/Method_DoD_E.cpp
#include "s/file/wiper/win/Method_DoD_E.h"

#include "s/file/wiper/win/PassLoop.h"
#include "s/thread/Pool.h"

namespace s::file::wiper::win {

bool Method_DoD_E::overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize,
                             float progressFrom, float progressTo, std::atomic<float>* progress,
                             std::atomic<bool>* stop, int64_t offset) {
    using Pass = PassLoop::Pass;
    static constexpr Pass kPasses[kPassCount] = {Pass::byte(0x00), Pass::byte(0xFF), Pass::random()};
    PassLoop loop(file, end, buffer, bufferSize, progressFrom, progressTo, progress, stop, offset);
    return loop.run(kPasses, kPassCount, 1);
}

s::base::IObject* Method_DoD_E::newInstance() const { return s::thread::Pool<Method_DoD_E>::obtain(); }

void Method_DoD_E::releaseToPool() { s::thread::Pool<Method_DoD_E>::release(this); }

}  // namespace s::file::wiper::win
