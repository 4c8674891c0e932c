// s/system/network/UpdateCheck.h
//
// The update check as an orchestrator: reads the hour stamp from the settings store, lets
// UpdateRule decide, fetches "<check folder>check/", asks the user when a newer version is
// offered, opens the product page on yes and writes the stamp. Every service is injected;
// the window's slot builds the real ones. Runs on the caller's thread; no failure is shown.
#pragma once
#include <cstdint>

#include "s/system/network/UpdateRule.h"

namespace s::map { class IMappedData; }

namespace s::system::network {

class IUpdateClock;
class IOnlineTest;
class IUpdateAsker;
class IPageOpener;
class IUpdateTexts;
class IReplyFetcher;

class UpdateCheck {
public:
    static constexpr uint32_t kGateText = 400200;
    static constexpr uint32_t kOfferText = 400210;
    static constexpr uint32_t kQuestionText = 400230;
    static constexpr uint32_t kYesText = 400330;
    static constexpr uint32_t kNoText = 400340;
    static constexpr uint32_t kCheckBoxText = 400380;
    static constexpr uint32_t kProductPage = 3;    // after the product text base
    static constexpr uint32_t kCheckFolder = 6;
    static constexpr uint32_t kVersion = 10;
    static constexpr uint32_t kLimitMs = 8000;

    struct Services {
        IUpdateClock* clock;
        IOnlineTest* online;
        IUpdateAsker* asker;
        IPageOpener* opener;
        IUpdateTexts* texts;
        IReplyFetcher* fetcher;
        s::map::IMappedData* store;
    };

    // windowName: the stamp lies under "<windowName>\Version", value "Update".
    UpdateCheck(const Services& services, const wchar_t* windowName, uint32_t productTextBase,
                uint32_t limitMs = kLimitMs);

    // The whole check; the step taken (kRequest when the server was asked).
    UpdateRule::Step run();
    // After run: whether an update was offered to the user.
    bool offered() const { return m_offered; }

private:
    bool requestOffers(const wchar_t* version);
    void offer();

    Services m_services;
    wchar_t m_stampPath[300];
    uint32_t m_base;
    uint32_t m_limitMs;
    bool m_offered = false;
};

}  // namespace s::system::network
