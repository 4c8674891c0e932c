// tests/s/app/win/UpdateQuestionTest.cpp
//
// The update check's question as the user meets it: an update offered by the server reply
// is asked in the question box over the main window, and only Yes opens the product page.
// The check's other services are the recording stand-ins; the question is the real one.
#include "s/app/win/UpdateServices.h"

#include <gmock/gmock.h>

#include <memory>

#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/system/network/UpdateCheck.h"
#include "s/thread/Pool.h"
#include "tests/s/app/win/AppFixture.h"
#include "tests/s/gui/dialogs/QuestionDriver.h"
#include "tests/s/system/network/UpdateFakes.h"

namespace {

using s::system::network::UpdateCheck;
using tests::gui::QuestionDriver;

constexpr int32_t kStampHours = 480000;
constexpr int64_t kHourMs = 3600 * 1000;

class UpdateQuestionTest : public tests::app::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        watcher = std::make_unique<tests::gui::ModalWatcher>(IDOK);
        app = startBase();
        ASSERT_NE(nullptr, app);
        main = s::thread::Pool<s::gui::win::Window, 0>::obtain();
        ASSERT_NE(nullptr, main->getHandle());
        main->setBounds(200, 200, 300, 250);
        main->show(true, false);
    }
    void TearDown() override {
        if (main) main->releaseToPool();
        if (app) app->releaseToPool();
        watcher.reset();
        AppFixture::TearDown();
    }

    // A check that is due, whose server offers version 1.24 to this 1.23.
    void runDueCheck(tests::Fakes* fakes, s::app::win::UpdateServices* services) {
        app->saveData()->setS32(L"MainWindow\\Version", L"Update", kStampHours);
        fakes->now = (kStampHours + 720) * kHourMs;
        fakes->reply = L"*1.24";
        UpdateCheck check({fakes, fakes, services, fakes, fakes, fakes, app->saveData()}, L"MainWindow",
                          tests::kProductBase);
        check.run();
        EXPECT_TRUE(check.offered());
    }

    std::unique_ptr<tests::gui::ModalWatcher> watcher;
    s::app::win::AppBase* app = nullptr;
    s::gui::win::Window* main = nullptr;
};

TEST_F(UpdateQuestionTest, AnOfferedUpdateIsAskedInTheQuestionBoxOverTheWindow) {
    struct Case {
        const char* name;
        QuestionDriver::Act act;
        bool opened;
    };
    const Case cases[] = {
        {"Yes",
         [](HWND q) {
             tests::gui::saveScreenshot(q, L"app-update-question");
             tests::gui::clickButton(q, L"Yes");
         },
         true},
        {"No", [](HWND q) { tests::gui::clickButton(q, L"No"); }, false},
        {"closed", [](HWND q) { tests::gui::closeWindow(q); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tests::gui::phase(std::string("update question: ") + c.name);
        bool checkBoxShown = true;
        QuestionDriver driver(
            L"There is improved version available.",
            [&](HWND q) {
                // The update question keeps no "don't ask again": its box stays hidden.
                HWND box = tests::gui::findButton(q, L"Don't ask me again");
                checkBoxShown = box && IsWindowVisible(box);
                c.act(q);
            },
            main->getHandle());
        tests::Fakes fakes;
        s::app::win::UpdateServices services(app, main, app->localizer());
        runDueCheck(&fakes, &services);
        ASSERT_EQ(1u, driver.seen().size());
        EXPECT_FALSE(driver.seen()[0].ownerEnabled) << "the window waits while the question is open";
        EXPECT_TRUE(IsWindowEnabled(main->getHandle())) << "and is enabled again after it";
        EXPECT_FALSE(checkBoxShown);
        EXPECT_EQ(c.opened ? L"http://page/" : L"", fakes.opened);
        EXPECT_EQ((kStampHours + 720), app->saveData()->getS32(L"MainWindow\\Version", L"Update", 0));
    }
    EXPECT_TRUE(watcher->boxes().empty()) << "no plain message box";
}

TEST_F(UpdateQuestionTest, WithoutAWindowNothingIsAskedAndTheAnswerIsNo) {
    QuestionDriver driver(L"There is improved version available.",
                          [](HWND q) { tests::gui::clickButton(q, L"Yes"); });
    tests::Fakes fakes;
    s::app::win::UpdateServices services(app, nullptr, app->localizer());
    runDueCheck(&fakes, &services);
    Sleep(200);
    EXPECT_TRUE(driver.seen().empty());
    EXPECT_EQ(L"", fakes.opened);
}

}  // namespace
