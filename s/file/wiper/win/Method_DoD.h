// s/file/wiper/win/Method_DoD.h
//
// The seven passes of US DoD 5220.22-M (E, C, E): a random byte, its complement, random
// bytes, two more random bytes, the complement of the last, random bytes; the three bytes
// are drawn anew at each call.
// Holds no data; pooled (capacity 1000); one instance may serve any thread, one call at a
// time per thread. See IMethod for the arguments and the result.
#pragma once
#include "s/file/wiper/IMethod.h"
#include "s/thread/IPoolable.h"

namespace s::file::wiper::win {

class Method_DoD : public s::file::wiper::IMethod, public virtual s::thread::IPoolable {
public:
    static constexpr int32_t kPassCount = 7;

    bool overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize, float progressFrom,
                   float progressTo, std::atomic<float>* progress, std::atomic<bool>* stop,
                   int64_t offset) override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_wiper_win_Method_DoD"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override {}
};

}  // namespace s::file::wiper::win
