// s/gui/win/Image.cpp
#include "s/gui/win/Image.h"

#include "s/gui/drawer/image/win/Basic.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/ImageRules.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/Wait.h"
#include "s/gui/win/WindowClass.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/thread/Pool.h"
#include "s/time/Time.h"

namespace s::gui::win {

namespace {

// Timers belong to the window's thread: other threads ask it. wParam 1 starts, 0 stops.
constexpr UINT kAnimationTimerControl = WM_APP + 0x30;
constexpr int32_t kCheckerCell = 5;

constexpr uint32_t kPauseStepMs = 10;

using s::gui::drawer::win::fill;

}  // namespace

Image::Image() {
    m_ownDrawer = s::gui::drawer::image::win::Basic::obtain();
    resetForReuse();
}

Image::~Image() {
    releaseSet();
    m_drawer.release();
    if (m_ownDrawer) m_ownDrawer->releaseToPool();
}

Image* newImage(int32_t widthPercent, s::image::win::BufferedImage* image) {
    Image* control = s::thread::Pool<Image>::obtain();
    if (widthPercent >= 0) control->setWidthPercent(widthPercent);
    if (image) control->setImage(image, true, true, true, true, -1, -1);
    return control;
}

Image* newImageSized(int32_t fixedWidth, int32_t fixedHeight, s::image::win::BufferedImage* image) {
    Image* control = s::thread::Pool<Image>::obtain();
    if (fixedWidth >= 0) control->setFixedWidth(fixedWidth);
    if (fixedHeight >= 0) control->setFixedHeight(fixedHeight);
    if (image) {
        control->setImage(image, true, true, true, true, fixedWidth >= 0 ? fixedWidth : -1,
                          fixedHeight >= 0 ? fixedHeight : -1);
    }
    return control;
}

s::base::IObject* Image::newInstance() const { return s::thread::Pool<Image>::obtain(); }
void Image::releaseToPool() { s::thread::Pool<Image>::release(this); }

void Image::resetForReuse() {
    stop(true);
    ComponentBase::resetForReuse();
    releaseSet();
    m_drawer.release();
    m_buffer.release();
    m_widthPercent = m_heightPercent = m_imageFixedWidth = m_imageFixedHeight = -1;
    m_keepAspectWidth = m_keepAspectHeight = m_fit = false;
    m_bordered = m_dragMove = m_checker = false;
    m_frame = m_delayLeft = 0;
    m_lastChange = 0;
    m_paused = m_busy = m_paintSuspended = m_dragging = false;
    updateSizes();
}

void Image::releaseSet() {
    s::thread::Lock lock(m_lock);
    if (m_set && m_ownsSet) m_set->releaseToPool();
    m_set = nullptr;
    m_ownsSet = false;
}

int32_t Image::getImageWidth() const { return m_set ? m_set->getWidth() : 0; }
int32_t Image::getImageHeight() const { return m_set ? m_set->getHeight() : 0; }
int32_t Image::getFrameCount() const { return m_set ? m_set->getCount() : 0; }
bool Image::isAnimated() const { return m_set && m_set->isAnimated(); }
bool Image::animates() const { return m_set && m_set->getCount() > 1 && m_set->isAnimated(); }

bool Image::holds(int32_t index) const { return m_set && index >= 0 && index < m_set->getCount(); }

s::image::win::BufferedImage* Image::getFrame(int32_t index) const {
    return holds(index) ? m_set->getImage(index) : nullptr;
}

int32_t Image::getFrameWidth(int32_t index) const {
    const s::image::win::BufferedImage* frame = getFrame(index);
    return frame ? frame->getWidth() : 0;
}

int32_t Image::getFrameHeight(int32_t index) const {
    const s::image::win::BufferedImage* frame = getFrame(index);
    return frame ? frame->getHeight() : 0;
}

int32_t Image::getFrameDelay(int32_t index) const { return holds(index) ? m_set->getDelay(index) : 0; }
int32_t Image::getFrameDisposal(int32_t index) const {
    return holds(index) ? m_set->getDisposal(index) : 0;
}
int32_t Image::getFrameDepth(int32_t index) const { return holds(index) ? m_set->getDepth(index) : 0; }

bool Image::turnFrame(int32_t index, Turn turn) {
    {
        s::thread::Lock lock(m_lock);
        s::image::win::BufferedImage* frame = getFrame(index);
        if (!frame) return false;
        // The geometric copies cannot write over their own source: turned apart, copied back.
        s::image::win::BufferedImage* turned = (frame->*turn)(nullptr);
        if (!turned) return false;
        const bool copied = turned->copy(frame) != nullptr;
        turned->releaseToPool();
        if (!copied) return false;
        frame->setScaledCache(nullptr);  // a scaled copy of the old pixels would be painted
    }
    prepareImageSet();
    return true;
}

bool Image::rotateFrameRight(int32_t index) {
    return turnFrame(index, &s::image::win::BufferedImage::rotatedRight);
}
bool Image::rotateFrame180(int32_t index) {
    return turnFrame(index, &s::image::win::BufferedImage::rotated180);
}
bool Image::rotateFrameLeft(int32_t index) {
    return turnFrame(index, &s::image::win::BufferedImage::rotatedLeft);
}
bool Image::mirrorFrame(int32_t index) { return turnFrame(index, &s::image::win::BufferedImage::mirrored); }
bool Image::flipFrame(int32_t index) { return turnFrame(index, &s::image::win::BufferedImage::flipped); }

void Image::prepareImageSet() {
    {
        s::thread::Lock lock(m_lock);
        if (m_set) m_set->recomputeSize();
    }
    updateSizes();
    redraw();
}

template <class Change>
bool Image::changeCurrentFrame(Change change) {
    {
        s::thread::Lock lock(m_lock);
        s::image::win::BufferedImage* frame = getFrame(m_frame);
        if (!frame) return false;
        change(frame);
        frame->setScaledCache(nullptr);
    }
    redraw();
    return true;
}

bool Image::fillCurrentFrame(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
    return changeCurrentFrame(
        [&](s::image::win::BufferedImage* frame) { frame->fill(alpha, red, green, blue); });
}

bool Image::makeCurrentFrameOpaque() {
    return changeCurrentFrame([](s::image::win::BufferedImage* frame) { frame->makeOpaque(); });
}

bool Image::currentFrameColourToTransparent(uint8_t red, uint8_t green, uint8_t blue) {
    return changeCurrentFrame([&](s::image::win::BufferedImage* frame) {
        frame->colorToTransparent(red, green, blue);
    });
}

bool Image::createNativeWindow(HWND parent) {
    if (!CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr)) {
        showCreationFailed();
        return false;
    }
    return true;
}

bool Image::fitSize(int32_t* width, int32_t* height) const {
    return imagerules::fitSize(m_pictureWidth, m_pictureHeight, width, height);
}

void Image::setImage(s::image::win::BufferedImage* image, bool wrap, bool keepAspectWidth,
                     bool keepAspectHeight, bool fit, int32_t fixedWidth, int32_t fixedHeight) {
    if (!image) return;
    s::image::win::BufferedImage* shown = wrap ? image : image->copy(nullptr);
    s::image::win::BufferedImageSet* set = shown ? s::image::win::newImageSetOf(shown) : nullptr;
    if (!set) return;
    setImageSet(set, true, keepAspectWidth, keepAspectHeight, fit, fixedWidth, fixedHeight);
}

void Image::setImageSet(s::image::win::BufferedImageSet* set, bool owned, bool keepAspectWidth,
                        bool keepAspectHeight, bool fit, int32_t fixedWidth, int32_t fixedHeight) {
    setPaintSuspended(true);
    stop(true);
    {
        s::thread::Lock lock(m_lock);
        m_frame = 0;
        m_delayLeft = 0;
        if (set && set->getCount() > 1 && set->isAnimated()) {
            // Frames drawn as they show: each one composed over those it keeps.
            s::image::win::BufferedImageSet* prepared = set->composedCopy();
            if (prepared) {
                if (owned) set->releaseToPool();
                set = prepared;
                owned = true;
            }
        } else if (set) {
            m_frame = set->getBestIndex();
        }
        if (m_set && m_ownsSet && m_set != set) m_set->releaseToPool();
        m_set = set;
        m_ownsSet = owned;
    }
    m_keepAspectWidth = keepAspectWidth;
    m_keepAspectHeight = keepAspectHeight;
    m_fit = fit;
    m_imageFixedWidth = fixedWidth;
    m_imageFixedHeight = fixedHeight;
    updateSizes();
    setPaintSuspended(false);
    redraw();
}

void Image::updateSizes() {
    m_pictureWidth = getImageWidth();
    m_pictureHeight = getImageHeight();
    const bool usable = m_pictureWidth > 0 && m_pictureHeight > 0;
    m_heightPerWidth = usable ? static_cast<double>(m_pictureHeight) / m_pictureWidth : 1.0;
    m_widthPerHeight = usable ? static_cast<double>(m_pictureWidth) / m_pictureHeight : 1.0;
    m_naturalWidth = m_fit ? 0 : m_pictureWidth;
    m_naturalHeight = m_fit ? 0 : m_pictureHeight;
    const int32_t border = m_bordered ? 2 : 0;
    setFixedSize(m_imageFixedWidth >= 0 ? m_imageFixedWidth + border : -1,
                 m_imageFixedHeight >= 0 ? m_imageFixedHeight + border : -1);
    setTargetPercent(m_widthPercent, m_heightPercent);
    const bool both = m_keepAspectWidth && m_keepAspectHeight;
    const int32_t fixedWidth = m_imageFixedWidth >= 0 ? m_imageFixedWidth + border : -1;
    const int32_t fixedHeight = m_imageFixedHeight >= 0 ? m_imageFixedHeight + border : -1;
    imagerules::SizeRules heightRules = {fixedHeight, m_heightPercent, m_naturalHeight, both,
                                         false, 0, m_heightPerWidth, m_bordered};
    imagerules::SizeRules widthRules = {fixedWidth, m_widthPercent, m_naturalWidth, both,
                                        false, 0, m_widthPerHeight, m_bordered};
    const int32_t plainHeight = imagerules::preferredLength(heightRules);
    const int32_t plainWidth = imagerules::preferredLength(widthRules);
    widthRules.otherIsSet = fixedHeight >= 0 || m_heightPercent >= 0;
    widthRules.otherPreferred = plainHeight;
    heightRules.otherIsSet = fixedWidth >= 0 || m_widthPercent >= 0;
    heightRules.otherPreferred = plainWidth;
    const int32_t width = imagerules::preferredLength(widthRules);
    const int32_t height = imagerules::preferredLength(heightRules);
    setMinimumSize(width, height);
    setTargetSize(width, height);
    if (m_parent && m_hWnd) m_parent->childChanged();
}

int32_t Image::getTargetWidth() const {
    if (m_imageFixedWidth >= 0 || m_widthPercent < 0 || !m_parent)
        return ComponentBase::getTargetWidth();
    const bool limited = m_heightPercent >= 0 && m_keepAspectWidth && m_keepAspectHeight;
    return imagerules::percentTarget({m_parent->getInnerWidth(), m_widthPercent, m_bordered,
                                      limited, m_parent->getInnerHeight(), m_heightPercent,
                                      m_widthPerHeight});
}

int32_t Image::getTargetHeight() const {
    if (m_imageFixedHeight >= 0 || m_heightPercent < 0 || !m_parent)
        return ComponentBase::getTargetHeight();
    const bool limited = m_widthPercent >= 0 && m_keepAspectWidth && m_keepAspectHeight;
    return imagerules::percentTarget({m_parent->getInnerHeight(), m_heightPercent, m_bordered,
                                      limited, m_parent->getInnerWidth(), m_widthPercent,
                                      m_heightPerWidth});
}

bool Image::sharesParentWidth() const {
    return (m_imageFixedWidth < 0 && m_widthPercent >= 0) || ComponentBase::sharesParentWidth();
}

bool Image::sharesParentHeight() const {
    return (m_imageFixedHeight < 0 && m_heightPercent >= 0) || ComponentBase::sharesParentHeight();
}

void Image::setWidthPercent(int32_t percent) {
    m_widthPercent = percent;
    updateSizes();
}

void Image::setHeightPercent(int32_t percent) {
    m_heightPercent = percent;
    updateSizes();
}

void Image::setFixedWidth(int32_t width) {
    m_imageFixedWidth = width;
    updateSizes();
}

void Image::setFixedHeight(int32_t height) {
    m_imageFixedHeight = height;
    updateSizes();
}

void Image::setBordered(bool bordered) {
    m_bordered = bordered;
    updateSizes();
    redraw();
}

void Image::setPaintSuspended(bool suspended) { m_paintSuspended = suspended; }

void Image::setDrawer(s::gui::drawer::IImage* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    redraw();
}

void Image::setBackgroundChecker(bool on) {
    m_checker = on;
    redraw();
}

void Image::play() {
    stop(true);
    if (!animates()) return;
    {
        s::thread::Lock lock(m_lock);
        m_delayLeft = m_set->getDelay(m_frame);
        m_lastChange = s::time::currentTimeMillis();
    }
    if (m_hWnd) SendMessage(kAnimationTimerControl, 1);
}

void Image::stop(bool reset) {
    pause(false);
    if (m_hWnd) SendMessage(kAnimationTimerControl, 0);
    if (reset) {
        s::thread::Lock lock(m_lock);
        if (isAnimated()) m_frame = 0;
        m_delayLeft = 0;
    }
    m_paused = false;
}

bool Image::stepIsOver(const void* image) { return !static_cast<const Image*>(image)->m_busy; }

void Image::pause(bool suspendPainting) {
    if (suspendPainting) m_paintSuspended = true;
    m_paused = true;
    // A step already running on the UI thread finishes first; never wait for ourselves.
    if (isOnOwnThread()) return;
    waitServingSentMessages(&stepIsOver, this, nullptr, kPauseStepMs, kWaitForever);
}

void Image::resume(bool repaint) {
    m_paused = false;
    m_paintSuspended = false;
    if (repaint) redraw();
}

void Image::animationStep(int64_t now) {
    // Busy before the pause is looked at: a pause that misses this step sees it busy.
    m_busy = true;
    if (m_paused) {
        m_busy = false;
        return;
    }
    bool changed = false;
    {
        s::thread::Lock lock(m_lock);
        const int64_t since = now - m_lastChange;
        if (m_set && m_set->getCount() > 0 && since >= m_delayLeft) {
            m_frame = (m_frame + 1) % m_set->getCount();
            m_delayLeft = imagerules::nextDelay(m_set->getDelay(m_frame), since - m_delayLeft);
            m_lastChange = now;
            changed = true;
        }
    }
    m_busy = false;
    if (changed && m_hWnd) Invalidate(FALSE);
}

void Image::paintChecker(HDC dc, int32_t width, int32_t height) {
    fill(dc, 0, 0, width, height, RGB(204, 204, 204));
    for (int32_t column = 0; column * kCheckerCell < width; ++column) {
        const int32_t x = column * kCheckerCell;
        for (int32_t y = (column % 2) * kCheckerCell; y < height; y += 2 * kCheckerCell)
            fill(dc, x, y, kCheckerCell, kCheckerCell, RGB(255, 255, 255));
    }
}

void Image::paintBuffer(HDC dc, int32_t width, int32_t height) {
    s::thread::Lock lock(m_lock);
    if (m_checker) paintChecker(dc, width, height);
    else fill(dc, 0, 0, width, height, getBackgroundColour());
    s::image::win::BufferedImage* frame = m_set ? m_set->getImage(m_frame) : nullptr;
    if (!frame) return;
    s::gui::drawer::IImage* drawer = m_drawer ? m_drawer.get() : m_ownDrawer;
    const int32_t border = m_bordered ? 2 : 0;
    if (!m_fit) {
        drawer->draw(dc, 0, 0, m_pictureWidth + border, m_pictureHeight + border, frame, m_bordered);
        return;
    }
    // The drawer copies pixels as they are: a fitted picture is scaled to the space first
    // (the frame keeps that copy while the size holds).
    const s::image::win::BufferedImage* scaled =
        width - border > 0 && height - border > 0
            ? frame->scaledCopy(width - border, height - border, false)
            : nullptr;
    drawer->draw(dc, 0, 0, width, height, scaled ? scaled : frame, m_bordered);
}

LRESULT Image::hitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = DefWindowProc(WM_NCHITTEST, wParam, lParam);
    const bool otherButton = GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
    if (m_dragMove && !otherButton) return answer;
    return answer == HTCLIENT ? HTTRANSPARENT : answer;
}

bool Image::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        if (m_paintSuspended) {
            ValidateRect(m_hWnd, nullptr);
            return true;
        }
        m_buffer.paint(m_hWnd, this);
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_TIMER:
        if (wParam != kAnimationTimer) return false;
        animationStep(s::time::currentTimeMillis());
        return true;
    case kAnimationTimerControl:
        if (wParam) SetTimer(kAnimationTimer, kAnimationPeriodMs);
        else KillTimer(kAnimationTimer);
        return true;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, m_dragMove ? IDC_HAND : IDC_ARROW));
        *result = TRUE;
        return true;
    case WM_NCHITTEST:
        *result = hitTest(wParam, lParam);
        return true;
    case WM_LBUTTONDOWN:
        SetCapture();
        GetCursorPos(&m_dragFrom);
        m_dragging = true;
        return true;
    case WM_MOUSEMOVE:
        if (m_dragging && GetCapture() == m_hWnd) {
            POINT now = {};
            GetCursorPos(&now);
            moveOrigin(now.x - m_dragFrom.x, now.y - m_dragFrom.y);
            m_dragFrom = now;
        }
        return true;
    case WM_LBUTTONUP:
        m_dragging = false;
        ReleaseCapture();
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
