// tests/s/process/win/InstanceTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include "s/process/win/ICaptionSource.h"
#include "s/process/win/Instance.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::process::win::Instance;
using s::str::strbuffer::StrBuffer;

TEST(Instance, SamePathIgnoresCaseOnly) {
    struct Row {
        const char* why;
        const wchar_t* own;
        const wchar_t* other;
        bool same;
    } const rows[] = {
        {"the same file", L"C:\\P\\x.exe", L"C:\\P\\x.exe", true},
        {"differently cased", L"C:\\P\\x.exe", L"c:\\p\\X.EXE", true},
        {"a copy in another folder", L"C:\\P\\x.exe", L"C:\\Q\\x.exe", false},
        {"device form does not match", L"C:\\P\\x.exe", L"\\Device\\HarddiskVolume1\\P\\x.exe",
         false},
        {"an unreadable path", L"C:\\P\\x.exe", L"", false},
        {"no own path matches nothing", L"", L"", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(Instance::samePath(r.own, r.other), r.same);
    }
}

TEST(Instance, CaptionMustBeginWithTheText) {
    struct Row {
        const char* why;
        const wchar_t* caption;
        const wchar_t* prefix;
        bool matches;
    } const rows[] = {
        {"begins with it", L"Shredder 1.23", L"Shredder", true},
        {"ignoring case", L"SHREDDER", L"shredder", true},
        {"contains it elsewhere", L"The Shredder", L"Shredder", false},
        {"shorter than the text", L"Shred", L"Shredder", false},
        {"no text: any caption", L"Default IME", nullptr, true},
        {"empty text: any caption", L"x", L"", true},
        {"no text: not an empty caption", L"", nullptr, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(Instance::captionMatches(r.caption, r.prefix), r.matches);
    }
}

TEST(Instance, OwnPathIsTheProgramFileOfItsProcess) {
    StrBuffer own;
    ASSERT_TRUE(Instance::executablePath(&own));
    EXPECT_TRUE(own.endsWithIgnoreCase(L"system_test.exe"));
    StrBuffer found;
    Instance::processPath(GetCurrentProcessId(), &found);
    EXPECT_TRUE(Instance::samePath(own.cString(), found.cString()));
}

TEST(Instance, AProcessThatIsGoneHasNoPath) {
    StrBuffer found;
    found.append(L"stale");
    Instance::processPath(0xFFFFFFF0u, &found);
    EXPECT_EQ(found.length(), 0u);
}

// Captions that repeat across languages: the walk must reach a window whatever language
// it shows, and sending to a process without windows must simply do nothing.
class Captions final : public s::process::win::ICaptionSource {
public:
    uint32_t languageCount() const override { return 3; }
    const wchar_t* captionAt(uint32_t index, uint32_t) const override {
        static const wchar_t* const texts[] = {L"Shredder", L"shredder", L""};
        return texts[index];
    }
};

TEST(Instance, SendingToAProcessWithoutWindowsEndsAtOnce) {
    const DWORD start = GetTickCount();
    Captions captions;
    Instance::sendToInstanceWindows(0xFFFFFFF0u, &captions, 1, true);
    Instance::sendToInstanceWindows(0xFFFFFFF0u, nullptr, 1, true);
    EXPECT_LT(GetTickCount() - start, 1000u);
}

}  // namespace
