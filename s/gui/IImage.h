// s/gui/IImage.h
//
// A still or animated picture inside a window, sized from the picture (optionally keeping
// its proportions), on a solid, checkered or inherited background, optionally framed and
// draggable. Clicks pass through it to the window underneath unless it drags.
#pragma once
#include <cstdint>

#include "s/gui/IComponent.h"

namespace s::image::win {
class BufferedImageSet;
}  // namespace s::image::win
namespace s::gui::drawer {
class IImage;
}  // namespace s::gui::drawer

namespace s::gui {

class IImage : public IComponent {
public:
    // Shows the image itself (wrap) or a copy of it (no wrap) as a set of one.
    virtual void setImage(s::image::win::BufferedImage* image, bool wrap, bool keepAspectWidth,
                          bool keepAspectHeight, bool fit, int32_t fixedWidth,
                          int32_t fixedHeight) = 0;
    virtual void setImageSet(s::image::win::BufferedImageSet* set, bool owned,
                             bool keepAspectWidth, bool keepAspectHeight, bool fit,
                             int32_t fixedWidth, int32_t fixedHeight) = 0;
    virtual s::image::win::BufferedImageSet* getImageSet() const = 0;
    virtual bool hasImage() const = 0;
    virtual int32_t getImageWidth() const = 0;
    virtual int32_t getImageHeight() const = 0;
    virtual int32_t getFrameCount() const = 0;
    virtual int32_t getFrameIndex() const = 0;
    virtual bool fitSize(int32_t* width, int32_t* height) const = 0;
    virtual bool isAnimated() const = 0;
    virtual void play() = 0;
    virtual void stop(bool reset) = 0;
    virtual void pause(bool suspendPainting) = 0;
    virtual void resume(bool repaint) = 0;

    // One frame of the set by index (null, 0 or false for an index the set does not hold).
    virtual s::image::win::BufferedImage* getFrame(int32_t index) const = 0;
    virtual int32_t getFrameWidth(int32_t index) const = 0;
    virtual int32_t getFrameHeight(int32_t index) const = 0;
    virtual int32_t getFrameDelay(int32_t index) const = 0;
    virtual int32_t getFrameDisposal(int32_t index) const = 0;
    virtual int32_t getFrameDepth(int32_t index) const = 0;
    // Turn or mirror one frame in place; the sizes follow and the control repaints.
    virtual bool rotateFrameRight(int32_t index) = 0;
    virtual bool rotateFrame180(int32_t index) = 0;
    virtual bool rotateFrameLeft(int32_t index) = 0;
    virtual bool mirrorFrame(int32_t index) = 0;
    virtual bool flipFrame(int32_t index) = 0;
    // After the set's pictures were changed from outside: its size and the control's again.
    virtual void prepareImageSet() = 0;
    // The current frame's pixels; each repaints.
    virtual bool fillCurrentFrame(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) = 0;
    virtual bool makeCurrentFrameOpaque() = 0;
    virtual bool currentFrameColourToTransparent(uint8_t red, uint8_t green, uint8_t blue) = 0;

    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setBordered(bool bordered) = 0;
    virtual bool isBordered() const = 0;
    virtual void setPaintSuspended(bool suspended) = 0;
    virtual void setDragMove(bool on) = 0;
    virtual void setDrawer(s::gui::drawer::IImage* drawer, bool owned) = 0;
    virtual void setBackgroundChecker(bool on) = 0;
};

}  // namespace s::gui
