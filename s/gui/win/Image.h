// s/gui/win/Image.h
//
// The picture control: a child window of the toolkit's class painting the current frame of
// its image set through an image drawer into its back buffer. Sets of more than one frame
// that are animated step with timer 1; a late step shortens the next frame's delay by its
// lateness. The set and the frame state are guarded by the control's lock: the UI thread
// paints and steps, any thread may change the set.
#pragma once
#include <atomic>

#include "s/gui/IImage.h"
#include "s/gui/win/BackBuffer.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/thread/ObjLocker.h"

namespace s::gui::win {

class Image final : public ComponentBase<s::gui::IImage>, private IBufferPainter {
public:
    static constexpr UINT_PTR kAnimationTimer = 1;
    static constexpr UINT kAnimationPeriodMs = 25;

    Image();
    ~Image() override;

    // IImage
    void setImage(s::image::win::BufferedImage* image, bool wrap, bool keepAspectWidth,
                  bool keepAspectHeight, bool fit, int32_t fixedWidth, int32_t fixedHeight) override;
    void setImageSet(s::image::win::BufferedImageSet* set, bool owned, bool keepAspectWidth,
                     bool keepAspectHeight, bool fit, int32_t fixedWidth,
                     int32_t fixedHeight) override;
    s::image::win::BufferedImageSet* getImageSet() const override { return m_set; }
    bool hasImage() const override { return m_set != nullptr; }
    int32_t getImageWidth() const override;
    int32_t getImageHeight() const override;
    int32_t getFrameCount() const override;
    int32_t getFrameIndex() const override { return m_frame; }
    bool fitSize(int32_t* width, int32_t* height) const override;
    bool isAnimated() const override;
    void play() override;
    void stop(bool reset) override;
    void pause(bool suspendPainting) override;
    void resume(bool repaint) override;
    s::image::win::BufferedImage* getFrame(int32_t index) const override;
    int32_t getFrameWidth(int32_t index) const override;
    int32_t getFrameHeight(int32_t index) const override;
    int32_t getFrameDelay(int32_t index) const override;
    int32_t getFrameDisposal(int32_t index) const override;
    int32_t getFrameDepth(int32_t index) const override;
    bool rotateFrameRight(int32_t index) override;
    bool rotateFrame180(int32_t index) override;
    bool rotateFrameLeft(int32_t index) override;
    bool mirrorFrame(int32_t index) override;
    bool flipFrame(int32_t index) override;
    void prepareImageSet() override;
    bool fillCurrentFrame(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) override;
    bool makeCurrentFrameOpaque() override;
    bool currentFrameColourToTransparent(uint8_t red, uint8_t green, uint8_t blue) override;
    void setWidthPercent(int32_t percent) override;
    void setHeightPercent(int32_t percent) override;
    void setFixedWidth(int32_t width) override;
    void setFixedHeight(int32_t height) override;
    void setBordered(bool bordered) override;
    bool isBordered() const override { return m_bordered; }
    void setPaintSuspended(bool suspended) override;
    void setDragMove(bool on) override { m_dragMove = on; }
    void setDrawer(s::gui::drawer::IImage* drawer, bool owned) override;
    void setBackgroundChecker(bool on) override;

    // IComponent: a percent of the parent, less the frame, bounded by the proportions.
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;
    bool sharesParentWidth() const override;
    bool sharesParentHeight() const override;

    // One step of the animation at time now (milliseconds): the timer's work.
    void animationStep(int64_t now);
    int32_t getDelayLeft() const { return m_delayLeft; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_Image"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool createNativeWindow(HWND parent) override;
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paintBuffer(HDC dc, int32_t width, int32_t height) override;
    void paintChecker(HDC dc, int32_t width, int32_t height);
    void releaseSet();
    void updateSizes();
    LRESULT hitTest(WPARAM wParam, LPARAM lParam);
    bool animates() const;
    static bool stepIsOver(const void* image);  // the pause's wait condition
    bool holds(int32_t index) const;
    using Turn = s::image::win::BufferedImage* (s::image::win::BufferedImage::*)(
        s::image::win::BufferedImage*) const;
    bool turnFrame(int32_t index, Turn turn);
    template <class Change>
    bool changeCurrentFrame(Change change);

    s::thread::ObjLocker m_lock;
    s::image::win::BufferedImageSet* m_set = nullptr;
    bool m_ownsSet = false;
    int32_t m_naturalWidth = 0, m_naturalHeight = 0;
    int32_t m_pictureWidth = 0, m_pictureHeight = 0;
    double m_heightPerWidth = 1.0, m_widthPerHeight = 1.0;
    int32_t m_widthPercent = -1, m_heightPercent = -1;
    int32_t m_imageFixedWidth = -1, m_imageFixedHeight = -1;
    bool m_keepAspectWidth = false, m_keepAspectHeight = false, m_fit = false;
    bool m_bordered = false;
    bool m_dragMove = false;
    bool m_checker = false;
    s::gui::drawer::IImage* m_ownDrawer = nullptr;
    DrawerHolder<s::gui::drawer::IImage> m_drawer;
    int32_t m_frame = 0;
    int32_t m_delayLeft = 0;
    int64_t m_lastChange = 0;
    // Read by the UI thread's step and by any thread that pauses.
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_busy{false};
    bool m_paintSuspended = false;
    bool m_dragging = false;
    POINT m_dragFrom = {0, 0};
    BackBuffer m_buffer;
};

// A pooled image control; a width percent of 0 or more is set. The image, when given, is
// wrapped into a set of one and fitted, keeping its proportions.
Image* newImage(int32_t widthPercent, s::image::win::BufferedImage* image);
// The same with fixed sizes, each when 0 or more.
Image* newImageSized(int32_t fixedWidth, int32_t fixedHeight, s::image::win::BufferedImage* image);

}  // namespace s::gui::win
