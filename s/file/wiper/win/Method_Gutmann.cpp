// s/file/wiper/win/Method_Gutmann.cpp
#include "s/file/wiper/win/Method_Gutmann.h"

#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/PassLoop.h"
#include "s/thread/Pool.h"

namespace s::file::wiper::win {

namespace {

using Pass = PassLoop::Pass;

constexpr int32_t kRandomPassesAround = 4;  // before and after the fixed patterns
constexpr int32_t kFixedCount = 27;
constexpr uint32_t kRandomFillGranule = 1024;

// The fixed patterns in the order of the published table, before shuffling.
constexpr Pass kFixed[kFixedCount] = {
    Pass::byte(0x55),               Pass::byte(0xAA),
    Pass::triple(0x92, 0x49, 0x24), Pass::triple(0x49, 0x24, 0x92), Pass::triple(0x24, 0x92, 0x49),
    Pass::byte(0x00),               Pass::byte(0x11),
    Pass::byte(0x22),               Pass::byte(0x33),
    Pass::byte(0x44),               Pass::byte(0x55),
    Pass::byte(0x66),               Pass::byte(0x77),
    Pass::byte(0x88),               Pass::byte(0x99),
    Pass::byte(0xAA),               Pass::byte(0xBB),
    Pass::byte(0xCC),               Pass::byte(0xDD),
    Pass::byte(0xEE),               Pass::byte(0xFF),
    Pass::triple(0x92, 0x49, 0x24), Pass::triple(0x49, 0x24, 0x92), Pass::triple(0x24, 0x92, 0x49),
    Pass::triple(0x6D, 0xB6, 0xDB), Pass::triple(0xB6, 0xDB, 0x6D), Pass::triple(0xDB, 0x6D, 0xB6),
};

static_assert(2 * kRandomPassesAround + kFixedCount == Method_Gutmann::kPassCount, "35 passes");

// Fisher-Yates over the fixed patterns only; the random passes keep their places.
void shuffleFixed(Pass* fixed) {
    for (uint32_t n = kFixedCount; n >= 2; --n) {
        uint32_t j = s::file::win::RandomSource::draw32() % n;
        if (j == n - 1) continue;
        Pass kept = fixed[j];
        fixed[j] = fixed[n - 1];
        fixed[n - 1] = kept;
    }
}

}  // namespace

bool Method_Gutmann::overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize,
                               float progressFrom, float progressTo, std::atomic<float>* progress,
                               std::atomic<bool>* stop, int64_t offset) {
    Pass passes[kPassCount];
    for (int32_t i = 0; i < kPassCount; ++i) passes[i] = Pass::random();
    Pass* fixed = passes + kRandomPassesAround;
    for (int32_t i = 0; i < kFixedCount; ++i) fixed[i] = kFixed[i];
    shuffleFixed(fixed);
    PassLoop loop(file, end, buffer, bufferSize, progressFrom, progressTo, progress, stop, offset);
    return loop.run(passes, kPassCount, kRandomFillGranule);
}

s::base::IObject* Method_Gutmann::newInstance() const {
    return s::thread::Pool<Method_Gutmann>::obtain();
}

void Method_Gutmann::releaseToPool() { s::thread::Pool<Method_Gutmann>::release(this); }

}  // namespace s::file::wiper::win
