// tests/s/gui/win/ImageTest.cpp
//
// The picture control on a Window's UI thread: still and animated pictures read back from
// the screen, the timer only for animations, late steps, backgrounds and click-through.
#include "s/gui/win/Image.h"

#include <atomic>
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
#include "support/gui/TestPanel.h"
#include "support/gui/RealInput.h"

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
        onUiThread(*window->get(), [&] { ran = KillTimer(handle, Image::kAnimationTimer) != 0; }, kWaitForever);
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


// 20 x 10: red on the left, blue on the right, the top-left 10 x 5 green, so that every
// turn and mirror moves the green corner somewhere else.
s::image::win::BufferedImage* corner() {
    std::vector<uint32_t> pixels(200);
    for (int i = 0; i < 200; ++i) {
        const int x = i % 20, y = i / 20;
        pixels[i] = x < 10 ? (y < 5 ? kGreen : kRed) : kBlue;
    }
    return imageOf(20, 10, pixels, false);
}

uint32_t rgbAt(const s::image::win::BufferedImage* image, int x, int y) {
    return image->getRow(y)[x] & 0xFFFFFFu;
}

std::atomic<bool> g_refuseChildren{false};

HWND WINAPI refusingCreate(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x,
                           int y, int width, int height, HWND parent, HMENU menu,
                           HINSTANCE instance, LPVOID param) {
    if (g_refuseChildren && (style & WS_CHILD)) return nullptr;
    return CreateWindowExW(exStyle, className, name, style, x, y, width, height, parent, menu,
                           instance, param);
}

TEST_F(ImageTest, OneFrameIsTurnedOrMirroredInPlaceAndTheSizesFollow) {
    struct Case {
        const char* name;
        bool (Image::*turn)(int32_t);
        int32_t width, height;
        int greenX, greenY;  // a pixel of the moved green corner
    } cases[] = {
        {"right", &Image::rotateFrameRight, 10, 20, 9, 0},
        {"180", &Image::rotateFrame180, 20, 10, 19, 9},
        {"left", &Image::rotateFrameLeft, 10, 20, 0, 19},
        {"mirror", &Image::mirrorFrame, 20, 10, 19, 0},
        {"flip", &Image::flipFrame, 20, 10, 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<Image> image;
        image->setImage(corner(), true, false, false, false, -1, -1);
        EXPECT_EQ(rgbAt(image->getFrame(0), 0, 0), kGreen & 0xFFFFFFu);
        EXPECT_TRUE(((*image).*c.turn)(0));
        EXPECT_EQ(image->getFrameWidth(0), c.width);
        EXPECT_EQ(image->getFrameHeight(0), c.height);
        EXPECT_EQ(image->getImageWidth(), c.width);
        EXPECT_EQ(image->getContentTargetWidth(), c.width);
        EXPECT_EQ(image->getContentTargetHeight(), c.height);
        EXPECT_EQ(rgbAt(image->getFrame(0), c.greenX, c.greenY), kGreen & 0xFFFFFFu);
        EXPECT_NE(rgbAt(image->getFrame(0), 0, 0), kGreen & 0xFFFFFFu);  // it moved away
        EXPECT_FALSE(((*image).*c.turn)(1));  // no such frame
        EXPECT_FALSE(((*image).*c.turn)(-1));
    }
    Pooled<Image> empty;
    EXPECT_FALSE(empty->rotateFrameRight(0));
    EXPECT_EQ(empty->getFrame(0), nullptr);
    EXPECT_EQ(empty->getFrameWidth(0), 0);
    EXPECT_EQ(empty->getFrameDelay(0), 0);
}

TEST_F(ImageTest, FrameValuesAreTheSetsAndAPreparedSetResizesTheControl) {
    Pooled<Image> image;
    image->setImageSet(threeFrameGif(120), true, false, false, false, -1, -1);
    ASSERT_EQ(image->getFrameCount(), 3);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(image->getFrameDelay(i), 120) << i;
        EXPECT_EQ(image->getFrameWidth(i), 12) << i;
        EXPECT_EQ(image->getFrameHeight(i), 12) << i;
        EXPECT_EQ(image->getFrameDisposal(i), image->getImageSet()->getDisposal(i)) << i;
        EXPECT_EQ(image->getFrameDepth(i), image->getImageSet()->getDepth(i)) << i;
    }
    EXPECT_EQ(image->getFrameDelay(3), 0);  // beyond the frames: nothing
    EXPECT_EQ(image->getFrame(3), nullptr);
    // A frame grown from outside counts once the set is prepared again.
    image->getFrame(1)->create(30, 16);
    EXPECT_EQ(image->getContentTargetWidth(), 12);
    image->prepareImageSet();
    EXPECT_EQ(image->getImageWidth(), 30);
    EXPECT_EQ(image->getContentTargetWidth(), 30);
    EXPECT_EQ(image->getContentTargetHeight(), 16);
}

TEST_F(ImageTest, TheCurrentFramesPixelsAreChangedAndShown) {
    Image* image = newImageSized(40, 20, halves());
    EXPECT_TRUE(image->fillCurrentFrame(255, 0, 255, 0));
    show(image, 20, 20);
    HWND handle = image->m_hWnd;
    EXPECT_TRUE(eventually(
        [&] {
            RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return screenPixel(handle, 5, 5) == RGB(0, 255, 0) &&
                   screenPixel(handle, 35, 15) == RGB(0, 255, 0);
        },
        3000));
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"image_filled").empty());
    s::image::win::BufferedImage* frame = image->getFrame(image->getFrameIndex());
    EXPECT_TRUE(image->currentFrameColourToTransparent(0, 255, 0));
    EXPECT_TRUE(frame->hasAlpha());
    EXPECT_EQ(frame->getRow(0)[0] >> 24, 0u);
    EXPECT_TRUE(image->makeCurrentFrameOpaque());
    EXPECT_FALSE(frame->hasAlpha());
    EXPECT_EQ(frame->getRow(0)[0] >> 24, 255u);
    Pooled<Image> empty;
    EXPECT_FALSE(empty->fillCurrentFrame(255, 1, 2, 3));
    EXPECT_FALSE(empty->makeCurrentFrameOpaque());
    EXPECT_FALSE(empty->currentFrameColourToTransparent(1, 2, 3));
}

TEST_F(ImageTest, PercentSizesComeFromTheParentLessTheFrameWithinTheProportions) {
    auto* panel = s::thread::Pool<tests::gui::TestPanel>::obtain();
    panel->setSize(300, 200);
    Image* image = newImage(50, halves());  // 20 x 10, proportions kept, fitted
    panel->addChild(image);
    image->setParent(panel);  // no windows: only the sizes
    EXPECT_EQ(image->getTargetWidth(), 150);
    image->setBordered(true);
    EXPECT_EQ(image->getTargetWidth(), 148);
    image->setBordered(false);
    image->setHeightPercent(25);  // 50 high allows only 100 wide
    EXPECT_EQ(image->getTargetWidth(), 100);
    EXPECT_EQ(image->getTargetHeight(), 50);
    image->setHeightPercent(100);  // 200 high would allow 400: the width's own 150 holds
    EXPECT_EQ(image->getTargetWidth(), 150);
    EXPECT_EQ(image->getTargetHeight(), 75);
    panel->releaseToPool();
}

TEST_F(ImageTest, AnImageThatCannotBeMadeSaysSo) {
    window.reset(new Pooled<Window>(newWindow()));
    (*window)->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 320, 200);
    (*window)->show(true, false);
    mfc::CWnd::setCreateWindowFunction(&refusingCreate);
    g_refuseChildren = true;
    Image* image = newImageSized(40, 20, halves());
    (*window)->addChild(image);
    g_refuseChildren = false;
    mfc::CWnd::setCreateWindowFunction(nullptr);
    EXPECT_EQ(image->m_hWnd, nullptr);
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(watcher->boxes()[0].caption, L"Error!");
    EXPECT_EQ(watcher->boxes()[0].text, L"Window Creation Failed!");
    EXPECT_TRUE(image->hasImage());  // still usable without its window
}

using tests::gui::capturedBy;
using tests::gui::mouse;

TEST_F(ImageTest, ADragMovingImageFollowsTheMouse) {
    Image* image = newImageSized(40, 20, halves());
    image->setDragMove(true);
    show(image, 30, 30);
    HWND handle = image->m_hWnd;
    RECT before = {};
    GetWindowRect(handle, &before);
    // A drag that did not end where it should (a press another window took, moves a loaded
    // machine served late) is made again, from where the image stands then.
    bool moved = false;
    RECT after = before;
    for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
        GetWindowRect(handle, &before);
        const POINT at = {(before.left + before.right) / 2, (before.top + before.bottom) / 2};
        const bool uncovered = eventually(
            [&] {
                (*window)->bringToFront(true);
                return WindowFromPoint(at) == handle;
            },
            5000);
        EXPECT_TRUE(uncovered);
        mouse(MOUSEEVENTF_MOVE, at.x, at.y);
        mouse(MOUSEEVENTF_LEFTDOWN);
        // Moves made before the press took the mouse would go to the window underneath.
        eventually([&] { return capturedBy(handle); }, 1500);
        mouse(MOUSEEVENTF_MOVE, at.x + 12, at.y + 6);
        mouse(MOUSEEVENTF_MOVE, at.x + 25, at.y + 15);
        moved = eventually(
            [&] {
                GetWindowRect(handle, &after);
                return after.left - before.left == 25 && after.top - before.top == 15;
            },
            1500);
        mouse(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(moved) << after.left - before.left << "," << after.top - before.top;
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"image_dragged").empty());
    phase("released");
    mouse(MOUSEEVENTF_MOVE, after.left + 60, after.top + 40);
    RECT still = {};
    GetWindowRect(handle, &still);
    EXPECT_EQ(still.left, after.left);  // no drag without the button
    EXPECT_EQ(still.top, after.top);
}

}  // namespace
}  // namespace s::gui::win
