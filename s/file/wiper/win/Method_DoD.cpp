// s/file/wiper/win/Method_DoD.cpp
#include "s/file/wiper/win/Method_DoD.h"

#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/PassLoop.h"
#include "s/thread/Pool.h"

namespace s::file::wiper::win {

namespace {

uint8_t drawByte() { return static_cast<uint8_t>(s::file::win::RandomSource::draw()); }

}  // namespace

bool Method_DoD::overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize,
                           float progressFrom, float progressTo, std::atomic<float>* progress,
                           std::atomic<bool>* stop, int64_t offset) {
    using Pass = PassLoop::Pass;
    const uint8_t r1 = drawByte();
    const uint8_t r2 = drawByte();
    const uint8_t r3 = drawByte();
    const Pass passes[kPassCount] = {Pass::byte(r1), Pass::byte(static_cast<uint8_t>(~r1)),
                                     Pass::random(), Pass::byte(r2), Pass::byte(r3),
                                     Pass::byte(static_cast<uint8_t>(~r3)), Pass::random()};
    PassLoop loop(file, end, buffer, bufferSize, progressFrom, progressTo, progress, stop, offset);
    return loop.run(passes, kPassCount, 1);
}

s::base::IObject* Method_DoD::newInstance() const { return s::thread::Pool<Method_DoD>::obtain(); }

void Method_DoD::releaseToPool() { s::thread::Pool<Method_DoD>::release(this); }

}  // namespace s::file::wiper::win
