// s/file/wiper/win/Method_Gutmann.h
//
// 35 passes of Gutmann's method (1996): four random passes, the 27 fixed patterns
// of the published table in an order shuffled anew at each call, four random passes.
// Holds no data; pooled (capacity 1000); one instance may serve any thread, one call at a
// time per thread. See IMethod for the arguments and the result.
#pragma once
#include "s/file/wiper/IMethod.h"
#include "s/thread/IPoolable.h"

namespace s::file::wiper::win {

class Method_Gutmann : public s::file::wiper::IMethod, public virtual s::thread::IPoolable {
public:
    static constexpr int32_t kPassCount = 35;

    bool overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize, float progressFrom,
                   float progressTo, std::atomic<float>* progress, std::atomic<bool>* stop,
                   int64_t offset) override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_wiper_win_Method_Gutmann"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override {}
};

}  // namespace s::file::wiper::win
