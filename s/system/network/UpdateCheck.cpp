// s/system/network/UpdateCheck.cpp
#include "s/system/network/UpdateCheck.h"

#include <wchar.h>

#include "s/map/IMappedData.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IOnlineTest.h"
#include "s/system/network/IPageOpener.h"
#include "s/system/network/IReplyFetcher.h"
#include "s/system/network/IUpdateAsker.h"
#include "s/system/network/IUpdateClock.h"
#include "s/system/network/IUpdateTexts.h"

namespace s::system::network {

using s::str::strbuffer::StrBuffer;

namespace {
constexpr const wchar_t* kStampValue = L"Update";
}

UpdateCheck::UpdateCheck(const Services& services, const wchar_t* windowName,
                         uint32_t productTextBase, uint32_t limitMs)
    : m_services(services), m_base(productTextBase), m_limitMs(limitMs) {
    swprintf(m_stampPath, sizeof(m_stampPath) / sizeof(m_stampPath[0]), L"%ls\\Version",
             windowName ? windowName : L"");
}

UpdateRule::Step UpdateCheck::run() {
    m_offered = false;
    IUpdateTexts* texts = m_services.texts;
    const bool enabled = texts->text(kGateText)[0] != 0;
    const int32_t stamp = enabled ? m_services.store->getS32(m_stampPath, kStampValue, 0) : 0;
    const int32_t now = UpdateRule::hoursOf(m_services.clock->currentTimeMillis());
    const wchar_t* version = texts->text(m_base + kVersion);
    UpdateRule::Step step = UpdateRule::decide(enabled, stamp, now, version, 0);
    if (step == UpdateRule::Step::kAskOnline) {
        step = UpdateRule::decide(enabled, stamp, now, version,
                                  m_services.online->isOnline() ? 1 : -1);
    }
    if (step == UpdateRule::Step::kNothing) return step;
    if (step == UpdateRule::Step::kRequest && requestOffers(version)) offer();
    m_services.store->setS32(m_stampPath, kStampValue, now);
    return step;
}

bool UpdateCheck::requestOffers(const wchar_t* version) {
    StrBuffer address;
    if (!address.append(m_services.texts->text(m_base + kCheckFolder)) ||
        !address.append(L"check/")) {
        return false;
    }
    StrBuffer reply;
    const bool done = m_services.fetcher->fetch(address.cString(), m_limitMs, &reply);
    return UpdateRule::offersUpdate(done, reply.chars(), reply.length(), version);
}

void UpdateCheck::offer() {
    m_offered = true;
    IUpdateTexts* texts = m_services.texts;
    StrBuffer message;
    message.append(texts->text(kOfferText));
    message.append(L" \r\n");
    message.append(texts->text(kQuestionText));
    // The question has no "don't ask again" state to keep: its check box stays hidden.
    const bool yes = m_services.asker->askYes(texts->text(kOfferText), message.cString(),
                                              texts->text(kYesText), texts->text(kNoText),
                                              texts->text(kCheckBoxText), false);
    if (yes) m_services.opener->open(texts->text(m_base + kProductPage));
}

}  // namespace s::system::network
