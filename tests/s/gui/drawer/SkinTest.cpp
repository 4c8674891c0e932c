// tests/s/gui/drawer/SkinTest.cpp
//
// The skin tables against the colours of the schemes, the registration orders and lookups,
// and the Skinner's listeners.
#include "s/gui/drawer/Skinner.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/listbox/win/Thin.h"
#include "s/gui/drawer/listheader/win/Thin.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/skin/SkinSchemes.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Thin.h"
#include "s/gui/drawer/tabbox/win/Thin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"

namespace {

namespace d = s::gui::drawer;
using tests::Pooled;
using tests::gui::hex;

template <class T, class I>
T* as(I* drawer) {
    T* typed = dynamic_cast<T*>(drawer);
    EXPECT_TRUE(typed);
    return typed;
}

// The colours each drawer got, in the order of the fifteen-colour roles.
struct ThinWindowColours {
    std::string name;
    std::vector<COLORREF> w;  // W1 to W15
};

TEST(SkinTest, ThinWindowPresetsGiveEveryDrawerItsRoleColour) {
    // The table the presets are transcribed from, written out once more here by role.
    const ThinWindowColours expected[] = {
        {"Classic LG", {RGB(116, 116, 116), RGB(17, 17, 17), RGB(86, 86, 86), RGB(17, 17, 17), RGB(17, 17, 17),
                        RGB(255, 255, 255), RGB(51, 51, 51), RGB(116, 116, 116), RGB(25, 25, 25), RGB(255, 255, 255),
                        RGB(49, 49, 49), RGB(191, 191, 191), RGB(56, 56, 56), RGB(195, 234, 0), RGB(25, 25, 25)}},
        {"Yellow", {RGB(252, 255, 91), RGB(224, 206, 0), RGB(224, 206, 0), RGB(224, 206, 0), RGB(224, 206, 0), 0,
                    RGB(238, 238, 238), RGB(224, 206, 0), RGB(224, 206, 0), RGB(255, 255, 255), RGB(255, 255, 255), 0,
                    RGB(238, 238, 238), RGB(168, 255, 83), RGB(255, 165, 0)}},
        {"Black Black II", {0, RGB(51, 51, 51), RGB(51, 51, 51), RGB(176, 176, 176), RGB(176, 176, 176),
                            RGB(221, 221, 221), RGB(51, 51, 51), RGB(153, 153, 153), RGB(204, 204, 204), 0,
                            RGB(255, 255, 255), 0, RGB(238, 238, 238), RGB(213, 235, 107), RGB(255, 165, 0)}},
        {"Salmon Red", {RGB(255, 48, 92), RGB(255, 189, 203), RGB(255, 189, 203), RGB(255, 189, 203),
                        RGB(255, 189, 203), RGB(255, 255, 255), RGB(51, 51, 51), RGB(255, 189, 203),
                        RGB(255, 189, 203), RGB(255, 48, 92), RGB(255, 255, 255), 0, RGB(238, 238, 238),
                        RGB(255, 194, 230), RGB(255, 165, 0)}},
    };
    Pooled<d::Skinner> skinner;
    skinner->setFamilyName(L"ThinWindow");
    skinner->registerSchemes();
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        int32_t index = -1;
        ASSERT_TRUE(skinner->findSkinIndex(std::wstring(e.name.begin(), e.name.end()).c_str(), &index));
        d::ISkin* skin = skinner->getSkin(index);
        const auto& W = e.w;
        auto* window = as<d::window::win::Thin>(skin->getWindowDrawer());
        EXPECT_EQ(hex(W[1]), hex(window->getFrameColour()));
        EXPECT_EQ(hex(W[0]), hex(window->getBackgroundColour()));
        EXPECT_FALSE(window->isTransparent());
        auto* button = as<d::button::win::Thin>(skin->getButtonDrawer());
        EXPECT_EQ(hex(W[3]), hex(button->getFrameColour()));
        EXPECT_EQ(hex(W[2]), hex(button->getDisabledFrameColour()));
        EXPECT_EQ(hex(W[3]), hex(button->getToggledFrameColour()));
        EXPECT_EQ(hex(W[8]), hex(button->getToggledFillColour()));
        EXPECT_EQ(hex(W[5]), hex(button->getCaptionFont()->getTextColour()));
        EXPECT_EQ(hex(W[2]), hex(button->getCaptionDisabledFont()->getTextColour()));
        EXPECT_EQ(hex(W[9]), hex(button->getSecondTextFont()->getTextColour()));
        EXPECT_FALSE(button->getFlagOne());
        EXPECT_TRUE(button->getFlagTwo());
        EXPECT_TRUE(button->getPressShift());
        auto* text = as<d::text::win::Basic>(skin->getTextDrawer());
        EXPECT_EQ(hex(W[5]), hex(text->getNormalFont()->getTextColour()));
        EXPECT_EQ(hex(W[0]), hex(text->getNormalFont()->getSecondColour()));
        EXPECT_EQ(hex(W[6]), hex(text->getNormalFont()->getThirdColour()));
        EXPECT_EQ(hex(W[2]), hex(text->getDisabledFont()->getTextColour()));
        EXPECT_EQ(hex(W[5]), hex(text->getThirdFont()->getTextColour()));
        EXPECT_EQ(hex(W[3]), hex(text->getFourthFont()->getTextColour()));
        auto* bar = as<d::scrollbar::win::Thin>(skin->getScrollBarDrawer());
        EXPECT_EQ(15, bar->getThickness());
        EXPECT_EQ(hex(W[3]), hex(bar->getFrameColour()));
        EXPECT_EQ(hex(W[7]), hex(bar->getBackgroundColour()));
        auto* check = as<d::checkbox::win::Thin>(skin->getCheckBoxDrawer());
        EXPECT_EQ(hex(W[3]), hex(check->getBoxFrameColour()));
        EXPECT_EQ(hex(W[5]), hex(check->getTextColour()));
        EXPECT_EQ(hex(W[2]), hex(check->getText()->getDisabledFont()->getTextColour()));
        auto* radio = as<d::radiobutton::win::Thin>(skin->getRadioButtonDrawer());
        EXPECT_EQ(hex(W[3]), hex(radio->getRingColour()));
        EXPECT_EQ(hex(RGB(53, 185, 56)), hex(radio->getDotColour()));
        EXPECT_EQ(hex(W[5]), hex(radio->getText()->getNormalFont()->getTextColour()));
        auto* slider = as<d::slider::win::Thin>(skin->getSliderDrawer());
        EXPECT_EQ(hex(W[3]), hex(slider->getFrameColour()));
        EXPECT_EQ(hex(W[7]), hex(slider->getTrackColour()));
        EXPECT_EQ(hex(W[2]), hex(slider->getDisabledColour()));
        auto* counter = as<d::counter::win::Basic>(skin->getCounterDrawer());
        EXPECT_EQ(hex(W[13]), hex(counter->getFirstColour()));
        EXPECT_EQ(hex(W[14]), hex(counter->getSecondColour()));
        auto* header = as<d::listheader::win::Thin>(skin->getListHeaderDrawer());
        EXPECT_EQ(1, header->getMode());
        EXPECT_EQ(hex(W[3]), hex(header->getFrameColour()));
        EXPECT_EQ(hex(W[8]), hex(header->getBackgroundColour()));
        EXPECT_EQ(hex(W[9]), hex(header->getButton()->getCaptionFont()->getTextColour()));
        auto* list = as<d::listbox::win::Thin>(skin->getListBoxDrawer())->getBasic();
        EXPECT_EQ(hex(W[10]), hex(list->getBackgroundColour()));
        EXPECT_EQ(hex(W[11]), hex(list->getTextColour()));
        EXPECT_EQ(hex(W[8]), hex(list->getSelectionColour()));
        EXPECT_EQ(hex(W[9]), hex(list->getSelectionTextColour()));
        EXPECT_EQ(hex(W[12]), hex(list->getAlternateColour()));
        EXPECT_EQ(hex(W[3]), hex(as<d::statusbar::win::Thin>(skin->getStatusBarDrawer())->getColour()));
        auto* menu = as<d::menu::win::Basic>(skin->getMenuDrawer());
        EXPECT_EQ(hex(W[5]), hex(menu->getNormalFont()->getTextColour()));
        EXPECT_EQ(hex(W[3]), hex(menu->getHoverColour()));
        EXPECT_EQ(hex(W[0]), hex(menu->getHighlightFont()->getTextColour()));
        EXPECT_FALSE(menu->isHoverFill());
        EXPECT_TRUE(menu->isPressedShift());
        EXPECT_EQ(hex(W[3]), hex(menu->getComboDrawer()->getArrowColour()));
        EXPECT_EQ(hex(W[5]), hex(menu->getComboDrawer()->getText()->getDisabledFont()->getTextColour()));
        auto* combo = as<d::combo::win::Thin>(skin->getComboDrawer());
        EXPECT_EQ(hex(W[5]), hex(combo->getText()->getNormalFont()->getTextColour()));
        EXPECT_EQ(hex(W[3]), hex(combo->getArrowColour()));
        EXPECT_EQ(hex(W[5]), hex(combo->getText()->getDisabledFont()->getTextColour()));
        auto* group = as<d::groupbox::win::Thin>(skin->getGroupBoxDrawer());
        EXPECT_EQ(hex(W[4]), hex(RGB(group->getFrameRed(), group->getFrameGreen(), group->getFrameBlue())));
        EXPECT_EQ(hex(W[5]), hex(group->getTitleFont()->getTextColour()));
        EXPECT_EQ(hex(W[5]), hex(group->getSecondTitleFont()->getTextColour()));
        auto* tabs = as<d::tabbox::win::Thin>(skin->getTabBoxDrawer());
        EXPECT_EQ(hex(W[3]), hex(tabs->getFrameColour()));
        for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(hex(W[5]), hex(tabs->getFont(i)->getTextColour()));
    }
}

struct ThinColours {
    const wchar_t* name;
    COLORREF s[6];
};

TEST(SkinTest, ThinSchemesGiveEveryDrawerItsRoleColour) {
    const ThinColours expected[] = {
        {L"White", {RGB(255, 255, 255), RGB(68, 68, 68), 0, RGB(119, 119, 119), RGB(176, 176, 176), RGB(255, 165, 0)}},
        {L"Green", {RGB(255, 255, 255), RGB(143, 175, 17), RGB(0, 51, 0), RGB(143, 175, 17), RGB(143, 175, 17),
                    RGB(255, 165, 0)}},
        {L"Khaki", {RGB(62, 92, 0), RGB(146, 185, 65), RGB(255, 255, 255), RGB(221, 135, 2), RGB(221, 135, 2),
                    RGB(255, 165, 0)}},
        {L"Salmon Red", {RGB(255, 48, 92), RGB(255, 189, 203), RGB(255, 255, 255), RGB(255, 189, 203),
                         RGB(255, 189, 203), RGB(255, 165, 0)}},
    };
    Pooled<d::Skinner> skinner;
    skinner->setFamilyName(L"thin");
    skinner->registerSchemes();
    ASSERT_EQ(13u, skinner->getSkinCount());
    for (const auto& e : expected) {
        int32_t index = -1;
        ASSERT_TRUE(skinner->findSkinIndex(e.name, &index));
        d::ISkin* skin = skinner->getSkin(index);
        const COLORREF* S = e.s;
        auto* window = as<d::window::win::Thin>(skin->getWindowDrawer());
        EXPECT_EQ(hex(S[1]), hex(window->getFrameColour()));
        EXPECT_EQ(hex(S[0]), hex(window->getBackgroundColour()));
        auto* button = as<d::button::win::Thin>(skin->getButtonDrawer());
        EXPECT_EQ(hex(S[1]), hex(button->getFrameColour()));
        EXPECT_EQ(hex(S[2]), hex(button->getCaptionFont()->getTextColour()));
        EXPECT_EQ(hex(S[2]), hex(as<d::text::win::Basic>(skin->getTextDrawer())->getNormalFont()->getTextColour()));
        EXPECT_EQ(hex(S[0]), hex(as<d::scrollbar::win::Thin>(skin->getScrollBarDrawer())->getBackgroundColour()));
        EXPECT_EQ(hex(S[3]), hex(as<d::slider::win::Thin>(skin->getSliderDrawer())->getTrackColour()));
        auto* counter = as<d::counter::win::Basic>(skin->getCounterDrawer());
        EXPECT_EQ(hex(S[4]), hex(counter->getFirstColour()));
        EXPECT_EQ(hex(S[5]), hex(counter->getSecondColour()));
        auto* list = as<d::listbox::win::Thin>(skin->getListBoxDrawer())->getBasic();
        EXPECT_EQ(hex(S[1]), hex(list->getSelectionColour()));
        EXPECT_EQ(hex(S[0]), hex(list->getSelectionTextColour()));
        EXPECT_EQ(hex(RGB(243, 243, 243)), hex(list->getAlternateColour()));
        EXPECT_EQ(hex(S[1]), hex(as<d::statusbar::win::Thin>(skin->getStatusBarDrawer())->getColour()));
        auto* menu = as<d::menu::win::Basic>(skin->getMenuDrawer());
        EXPECT_EQ(hex(S[2]), hex(menu->getNormalFont()->getTextColour()));
        EXPECT_EQ(hex(S[1]), hex(menu->getHoverColour()));
        EXPECT_EQ(hex(S[0]), hex(menu->getHighlightFont()->getTextColour()));
        EXPECT_EQ(hex(S[1]), hex(as<d::combo::win::Thin>(skin->getComboDrawer())->getArrowColour()));
        EXPECT_EQ(hex(S[1]), hex(as<d::tabbox::win::Thin>(skin->getTabBoxDrawer())->getFrameColour()));
    }
}

TEST(SkinTest, RegistrationOrdersAndNames) {
    Pooled<d::Skinner> thin, window, basic;
    thin->setFamilyName(L"Thin");
    thin->registerSchemes();
    window->setFamilyName(L"thinwindow");
    window->registerSchemes();
    basic->registerSchemes();
    const wchar_t* thinNames[] = {L"White", L"Light Gray", L"Black", L"Ivory", L"Sky Blue", L"Pink", L"Green",
                                  L"Green2", L"Yellow", L"Orange", L"Khaki", L"Indigo", L"Salmon Red"};
    const wchar_t* windowNames[] = {L"White", L"Ivory", L"Black", L"Black II", L"Black Black", L"Black Black II",
                                    L"Classic LG", L"Beige", L"Sky Blue", L"Pink", L"Salmon Red", L"Yellow",
                                    L"Green", L"Orange", L"Khaki", L"Indigo"};
    ASSERT_EQ(13u, thin->getSkinCount());
    ASSERT_EQ(16u, window->getSkinCount());
    for (uint32_t i = 0; i < 13; ++i) EXPECT_STREQ(thinNames[i], thin->getSkin(i)->getName());
    for (uint32_t i = 0; i < 16; ++i) EXPECT_STREQ(windowNames[i], window->getSkin(i)->getName());
    EXPECT_STREQ(L"s_gui_drawer_skin_Thin", thin->getSkin(0)->classId());
    EXPECT_STREQ(L"s_gui_drawer_skin_ThinWindow", window->getSkin(0)->classId());
    EXPECT_STREQ(L"Basic", basic->getFamilyName());
    EXPECT_EQ(0u, basic->getSkinCount());
    int32_t index = 7;
    EXPECT_FALSE(basic->findSkinIndex(L"White", &index));
    EXPECT_EQ(-1, index);
    EXPECT_TRUE(thin->findSkinIndex(L"sky blue", &index));
    EXPECT_EQ(4, index);
    EXPECT_FALSE(thin->findSkinIndex(L"Sky", &index));
    EXPECT_EQ(-1, index);
    for (int32_t number : {0, 5, 14, 15, 20, -1}) EXPECT_EQ(nullptr, d::skin::skinOfPreset(number)) << number;
    d::ISkin* preset = d::skin::skinOfPreset(19);
    ASSERT_TRUE(preset);
    EXPECT_STREQ(L"Classic LG", preset->getName());
    preset->releaseToPool();
    // Registering twice doubles every skin; lookups find the first.
    thin->registerSchemes();
    EXPECT_EQ(26u, thin->getSkinCount());
    EXPECT_TRUE(thin->findSkinIndex(L"Salmon Red", &index));
    EXPECT_EQ(12, index);
}

TEST(SkinTest, TheSharedDarkTemplateDiffersOnlyWhereTheTableSays) {
    const auto* black = d::skin::thinWindowPreset(1);
    const auto* blackTwo = d::skin::thinWindowPreset(16);
    const auto* blackBlack = d::skin::thinWindowPreset(17);
    const auto* blackBlackTwo = d::skin::thinWindowPreset(18);
    ASSERT_TRUE(black && blackTwo && blackBlack && blackBlackTwo);
    for (int i = 0; i < 15; ++i) {
        if (i == 5) continue;
        EXPECT_EQ(black->w[i], blackTwo->w[i]) << i;
        EXPECT_EQ(blackBlack->w[i], blackBlackTwo->w[i]) << i;
    }
    EXPECT_EQ(hex(RGB(221, 221, 221)), hex(blackTwo->w[5]));
    EXPECT_EQ(hex(RGB(255, 255, 255)), hex(black->w[5]));
}

class Listener : public d::ISkinListener {
public:
    explicit Listener(std::vector<int>* log, int id) : m_log(log), m_id(id) {}
    void onEvent(d::Skinner* source, int32_t code) override {
        m_log->push_back(m_id);
        EXPECT_EQ(0, code);
        sources.push_back(source);
        if (joiner) {
            source->addListener(joiner);
            joiner = nullptr;
        }
    }
    d::ISkinListener* joiner = nullptr;
    std::vector<d::Skinner*> sources;

private:
    std::vector<int>* m_log;
    int m_id;
};

TEST(SkinTest, ASkinSwitchReachesEveryListenerOnceAndThoseAddedMeanwhile) {
    Pooled<d::Skinner> skinner;
    skinner->setFamilyName(L"Thin");
    skinner->registerSchemes();
    std::vector<int> log;
    Listener a(&log, 1), b(&log, 2), late(&log, 3);
    b.joiner = &late;
    skinner->addListener(&a);
    skinner->addListener(&b);
    EXPECT_TRUE(skinner->selectSkin(L"Pink"));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), log);
    EXPECT_EQ(skinner.get(), a.sources.at(0));
    EXPECT_STREQ(L"Pink", skinner->getCurrentSkin()->getName());
    log.clear();
    EXPECT_FALSE(skinner->selectSkin(L"pink"));  // already current: nobody is told
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(skinner->selectSkin(L"No such skin"));  // unknown: the first skin
    EXPECT_STREQ(L"White", skinner->getCurrentSkin()->getName());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), log);
    log.clear();
    EXPECT_FALSE(skinner->selectSkin(L"Unknown too"));
    EXPECT_TRUE(log.empty());
    skinner->removeListener(&b);
    skinner->selectSkin(L"Black");
    EXPECT_EQ((std::vector<int>{1, 3}), log);
}

TEST(SkinTest, AReleasedSkinnerForgetsItsListenersAndSkins) {
    d::Skinner* skinner = d::newSkinnerThinWindow();
    ASSERT_TRUE(skinner);
    EXPECT_STREQ(L"ThinWindow", skinner->getFamilyName());
    EXPECT_EQ(16u, skinner->getSkinCount());
    std::vector<int> log;
    Listener a(&log, 1);
    skinner->addListener(&a);
    skinner->resetForReuse();
    EXPECT_EQ(0u, skinner->getSkinCount());
    EXPECT_EQ(0u, skinner->getListenerCount());
    EXPECT_EQ(nullptr, skinner->getCurrentSkin());
    EXPECT_STREQ(L"Basic", skinner->getFamilyName());
    skinner->releaseToPool();
}

}  // namespace
