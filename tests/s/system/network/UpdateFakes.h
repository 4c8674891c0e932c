// tests/s/system/network/UpdateFakes.h
//
// Recording stand-ins for every service of the update check but the store: clock, online
// test, asker, page opener, texts and (unless a real one is given) the fetcher.
#pragma once
#include <map>
#include <string>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IOnlineTest.h"
#include "s/system/network/IPageOpener.h"
#include "s/system/network/IReplyFetcher.h"
#include "s/system/network/IUpdateAsker.h"
#include "s/system/network/IUpdateClock.h"
#include "s/system/network/IUpdateTexts.h"

namespace tests {

constexpr uint32_t kProductBase = 500000;

struct Fakes final : s::system::network::IUpdateClock,
                     s::system::network::IOnlineTest,
                     s::system::network::IUpdateAsker,
                     s::system::network::IPageOpener,
                     s::system::network::IUpdateTexts,
                     s::system::network::IReplyFetcher {
    int64_t now = 0;
    bool online = true;
    int onlineAsked = 0;
    bool answerYes = false;
    std::wstring title, message, yesText, noText, checkText, opened, fetched;
    bool showCheck = true;
    int asked = 0, fetches = 0;
    bool fetchDone = true;
    std::wstring reply;
    std::map<uint32_t, std::wstring> texts = {
        {400200, L"on"}, {400210, L"There is improved version available."},
        {400230, L"Would you like to check it out?"}, {400330, L"Yes"}, {400340, L"No"},
        {400380, L"Don't ask"}, {kProductBase + 3, L"http://page/"},
        {kProductBase + 6, L"http://127.0.0.1/x/"}, {kProductBase + 10, L"1.23"}};

    int64_t currentTimeMillis() override { return now; }
    bool isOnline() override { return ++onlineAsked, online; }
    bool askYes(const wchar_t* t, const wchar_t* m, const wchar_t* y, const wchar_t* n,
                const wchar_t* c, bool show) override {
        ++asked;
        title = t, message = m, yesText = y, noText = n, checkText = c, showCheck = show;
        return answerYes;
    }
    void open(const wchar_t* address) override { opened = address; }
    const wchar_t* text(uint32_t id) override {
        auto it = texts.find(id);
        return it == texts.end() ? L"" : it->second.c_str();
    }
    bool fetch(const wchar_t* address, uint32_t, s::str::strbuffer::StrBuffer* out) override {
        ++fetches;
        fetched = address;
        out->append(reply.c_str(), static_cast<int32_t>(reply.size()));
        return fetchDone;
    }
};

}  // namespace tests
