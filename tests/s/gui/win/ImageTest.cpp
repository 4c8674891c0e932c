// tests/s/gui/win/ImageTest.cpp
//
// The picture control on a Window's UI thread: still and animated pictures read back from
// the screen, the timer only for animations, late steps, backgrounds and click-through.
#include "s/gui/win/Image.h"

#include <functional>
#include <set>

#include <gmock/gmock.h>

#include "s/image/ImageTestSupport.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/gui/win/Window.h"
#include "s/time/Time.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ScreenLock.h"

namespace s::gui::win {
namespace {

using s::image::win::BufferedImageSet;
using tests::Pooled;
using tests::gui::eventually;
using tests::gui::phase;
using tests::gui::saveScreenshot;
using tests::image::imageOf;

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

void onUiThread(Window* window, std::function<void()> action) {
    window->runOnUiThread([](void* a) { (*static_cast<std::function<void()>*>(a))(); }, &action);
}

COLORREF screenPixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

COLORREF asColorRef(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// 20 x 10: the left half red, the right half blue.
s::image::win::BufferedImage* halves() {
    std::vector<uint32_t> pixels(200);
    for (int i = 0; i < 200; ++i) pixels[i] = i % 20 < 10 ? kRed : kBlue;
    return imageOf(20, 10, pixels, false);
}

// Three 12 x 12 frames, red, green and blue, of `delay` ms each, looping, through the GIF codec.
BufferedImageSet* threeFrameGif(int32_t delay) {
    Pooled<BufferedImageSet> set;
    for (uint32_t colour : {kRed, kGreen, kBlue})
        set->add(imageOf(12, 12, std::vector<uint32_t>(144, colour), false), 8, delay, 1);
    set->setAnimation(true, 0);
    Pooled<s::image::gif::win::Gif> gif;
    if (!gif->fromImageSetWithSettings(set.get(), 8, false, 255, 255, 255)) return nullptr;
    return gif->toImageSet();
}

class ImageTest : public tests::gui::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        screen = std::make_unique<tests::gui::ScreenLock>();
    }
    void show(Image* image, int x, int y) {
        window.reset(new Pooled<Window>(newWindow()));
        (*window)->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 320, 200);
        image->setPosition(x, y);
        image->setSize(image->getTargetWidth(), image->getTargetHeight());
        (*window)->addChild(image);
        (*window)->show(true, false);
        (*window)->bringToFront(true);
        RedrawWindow(image->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sleep(50);
    }
    // Whether the native window has a running animation timer (stopping it to find out).
    bool timerRan(Image* image) {
        bool ran = false;
        HWND handle = image->m_hWnd;
        onUiThread(window->get(), [&] { ran = KillTimer(handle, Image::kAnimationTimer) != 0; });
        return ran;
    }
    void TearDown() override {
        window.reset();
        screen.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<tests::gui::ScreenLock> screen;
    std::unique_ptr<Pooled<Window>> window;
};

TEST_F(ImageTest, StillPictureIsShownAtItsSizeAndTwiceIt) {
    for (int scale : {1, 2}) {
        phase("scale " + std::to_string(scale));
        Image* image = newImageSized(20 * scale, 10 * scale, halves());
        EXPECT_EQ(image->getImageWidth(), 20);
        EXPECT_EQ(image->getTargetWidth(), 20 * scale);
        EXPECT_EQ(image->getTargetHeight(), 10 * scale);
        show(image, 10, 10);
        HWND handle = image->m_hWnd;
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(screenPixel(handle, 2 * scale, 5 * scale), asColorRef(kRed)) << scale;
        EXPECT_EQ(screenPixel(handle, 9 * scale, 1), asColorRef(kRed)) << scale;
        EXPECT_EQ(screenPixel(handle, 11 * scale, 5 * scale), asColorRef(kBlue)) << scale;
        EXPECT_EQ(screenPixel(handle, 20 * scale - 1, 10 * scale - 1), asColorRef(kBlue)) << scale;
        EXPECT_FALSE(timerRan(image));  // a still picture never animates
        image->play();
        EXPECT_FALSE(timerRan(image));
        EXPECT_FALSE(saveScreenshot((*window)->getHandle(),
                                    scale == 1 ? L"image_still_1" : L"image_still_2").empty());
        window.reset();
    }
}

TEST_F(ImageTest, AnimatedGifChangesItsFramesOverTime) {
    BufferedImageSet* frames = threeFrameGif(100);
    ASSERT_NE(frames, nullptr);
    ASSERT_EQ(frames->getCount(), 3);
    ASSERT_EQ(frames->getWidth(), 12);
    ASSERT_NE(frames->getImage(0), nullptr);
    EXPECT_EQ(frames->getImage(0)->getWidth(), 12);
    EXPECT_TRUE(frames->isAnimated());
    for (int scale : {1, 2}) {
        phase("animation at scale " + std::to_string(scale));
        Image* image = s::thread::Pool<Image>::obtain();
        image->setImageSet(frames->copy(), true, true, true, true, 12 * scale, 12 * scale);
        EXPECT_TRUE(image->isAnimated());
        EXPECT_EQ(image->getFrameCount(), 3);
        show(image, 10, 10);
        HWND handle = image->m_hWnd;
        EXPECT_EQ(screenPixel(handle, 6 * scale, 6 * scale), asColorRef(kRed));
        image->play();
        std::set<COLORREF> seen;
        EXPECT_TRUE(eventually(
            [&] {
                seen.insert(screenPixel(handle, 6 * scale, 6 * scale));
                return seen.size() >= 3;
            },
            5000));
        EXPECT_THAT(seen, testing::IsSupersetOf({asColorRef(kRed), asColorRef(kGreen),
                                                 asColorRef(kBlue)}));
        EXPECT_FALSE(saveScreenshot((*window)->getHandle(),
                                    scale == 1 ? L"image_animated_1" : L"image_animated_2").empty());
        image->stop(true);
        EXPECT_EQ(image->getFrameIndex(), 0);
        EXPECT_FALSE(timerRan(image));  // stop killed it
        image->play();
        EXPECT_TRUE(timerRan(image));
        window.reset();
    }
    frames->releaseToPool();
}

TEST_F(ImageTest, ALateStepShortensTheNextFrame) {
    Pooled<Image> image;
    image->setImageSet(threeFrameGif(100), true, false, false, false, -1, -1);
    image->play();  // no window: only the animation state
    const int64_t start = s::time::currentTimeMillis();
    image->animationStep(start + 130);  // 30 ms late
    EXPECT_EQ(image->getFrameIndex(), 1);
    EXPECT_EQ(image->getDelayLeft(), 70);
    image->animationStep(start + 130 + 69);  // not yet due
    EXPECT_EQ(image->getFrameIndex(), 1);
    image->animationStep(start + 130 + 600);  // far too late: the next frame is due at once
    EXPECT_EQ(image->getFrameIndex(), 2);
    EXPECT_EQ(image->getDelayLeft(), 0);
    image->animationStep(start + 130 + 600);
    EXPECT_EQ(image->getFrameIndex(), 0);  // wraps after the last frame
    image->pause(false);
    image->animationStep(start + 5000);
    EXPECT_EQ(image->getFrameIndex(), 0);  // a paused animation does not step
}

TEST_F(ImageTest, ClicksPassThroughUnlessTheImageDrags) {
    Image* image = newImageSized(40, 20, halves());
    show(image, 30, 30);
    HWND handle = image->m_hWnd;
    RECT r = {};
    GetWindowRect(handle, &r);
    const LPARAM centre = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(SendMessageW(handle, WM_NCHITTEST, 0, centre), HTTRANSPARENT);
    image->setDragMove(true);
    EXPECT_EQ(SendMessageW(handle, WM_NCHITTEST, 0, centre), HTCLIENT);
}

TEST_F(ImageTest, CheckerboardAlternatesWhiteCellsColumnByColumn) {
    Image* image = newImageSized(30, 20, nullptr);
    image->setBackgroundChecker(true);
    show(image, 10, 10);
    HWND handle = image->m_hWnd;
    const COLORREF white = RGB(255, 255, 255), grey = RGB(204, 204, 204);
    struct Cell {
        int x, y;
        COLORREF expected;
    } cells[] = {{2, 2, white}, {2, 7, grey}, {7, 2, grey}, {7, 7, white}, {12, 12, white},
                 {17, 17, white}, {17, 12, grey}};
    for (const Cell& c : cells) EXPECT_EQ(screenPixel(handle, c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"image_checker").empty());
}

}  // namespace
}  // namespace s::gui::win
