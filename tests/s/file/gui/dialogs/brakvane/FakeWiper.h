// tests/s/file/gui/dialogs/brakvane/FakeWiper.h
//
// A wiper that touches no file: it records what the dialog asks of it and plays a run of
// a set length, so that the dialog's handling of a wiper is seen without disk work.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "s/file/gui/dialogs/brakvane/Dialog.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/IWiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace tests::product {

class FakeWiper final : public s::file::wiper::IWiper {
public:
    // Settings
    bool prepareAnswer = true;
    DWORD addPathDelayMs = 0;
    DWORD runMs = 300;
    // Record
    std::atomic<int> resets{0}, prepares{0}, starts{0}, added{0}, resetsWhileBusy{0};
    std::atomic<bool> inAddPath{false};
    mutable std::atomic<bool> busy{false};  // from the first added path to the end of the run
    std::wstring methodClass;
    int32_t counts[4] = {0, 0, 0, 0};
    // What the run "left", as the wiper lists it.
    struct Failure {
        std::wstring path;
        s::file::wiper::Survival why;
        std::wstring nowNamed;
    };
    std::vector<Failure> failures;

    bool prepare() override {
        ++prepares;
        return prepareAnswer;
    }
    void reset() override {
        ++resets;
        if (busy) ++resetsWhileBusy;
    }
    void setMethod(s::file::wiper::IMethod* method) override {
        methodClass = method ? method->classId() : L"";
        if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(method)) poolable->releaseToPool();
    }
    void setSizeChangeCount(int32_t c) override { counts[0] = c; }
    void setRenameCount(int32_t c) override { counts[1] = c; }
    void setAttributeChangeCount(int32_t c) override { counts[2] = c; }
    void setTimestampChangeCount(int32_t c) override { counts[3] = c; }
    void setSlackMode(bool) override {}
    bool addPath(const wchar_t*) override {
        busy = true;
        inAddPath = true;
        Sleep(addPathDelayMs);
        inAddPath = false;
        ++added;
        return true;
    }
    bool start() override {
        ++starts;
        m_end = GetTickCount() + runMs;
        m_running = true;
        return true;
    }
    bool isRunning() const override {
        if (m_running && GetTickCount() >= m_end) {
            m_running = false;
            busy = false;
        }
        return m_running;
    }
    void stop(bool) override {
        m_running = false;
        busy = false;
    }
    int32_t getProgressPercent() const override { return 50; }
    void getCurrentPath(s::str::strbuffer::StrBuffer* out) override {
        if (out) out->setText(L"fake item");
    }
    void addFailedPath(const wchar_t*) override {}
    s::str::strarray::StrArray* getFailedPaths() override {
        s::str::strarray::StrArray* paths = s::thread::Pool<s::str::strarray::StrArray>::obtain();
        for (const Failure& f : failures) paths->addString(f.path.c_str());
        return paths;
    }
    uint32_t getFailedCount() override { return static_cast<uint32_t>(failures.size()); }
    bool getFailedEntry(uint32_t index, s::str::strbuffer::StrBuffer* path, s::file::wiper::Survival* why,
                        s::str::strbuffer::StrBuffer* nowNamed) override {
        if (index >= failures.size()) return false;
        if (path) path->setText(failures[index].path.c_str());
        if (why) *why = failures[index].why;
        if (nowNamed) nowNamed->setText(failures[index].nowNamed.c_str());
        return true;
    }
    const wchar_t* classId() const override { return L"tests_product_FakeWiper"; }
    s::base::IObject* newInstance() const override { return nullptr; }

private:
    mutable std::atomic<bool> m_running{false};
    DWORD m_end = 0;
};

// The one fake the dialog takes, set by the test before the first drop.
inline FakeWiper* g_fake = nullptr;
inline s::file::wiper::IWiper* obtainFake() { return g_fake; }
inline void releaseFake(s::file::wiper::IWiper*) {}
inline const s::file::gui::dialogs::brakvane::Dialog::WiperSource kFakeWipers = {&obtainFake, &releaseFake};

}  // namespace tests::product
