// s/gui/win/MemDC.h
//
// An off-screen DC compatible with a window, with a 32-bit image selected into it: controls
// paint into it and copy it to the screen with one BitBlt. It owns the image or borrows it
// (a control's kept back buffer). Releasing selects the previous bitmap back and gives an
// owned image to its pool. Pooled with capacity 0 (always destroyed); one thread at a time.
#pragma once
#include "mfc/CDC.h"
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::win {

class MemDC : public s::base::IObject, public s::thread::IPoolable, public CDC {
public:
    MemDC() = default;
    ~MemDC() override;

    // A pooled MemDC over `image` (null: none could be made; an owned image is then
    // released too). A null window means the screen.
    static MemDC* createForWindow(HWND window, s::image::win::BufferedImage* image, bool ownsImage);

    s::image::win::BufferedImage* getImage() const { return m_image; }
    // Copies the top-left w x h of the picture to (x, y) of `target`.
    bool copyTo(HDC target, int32_t x, int32_t y, int32_t w, int32_t h) const;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_MemDC"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool attach(HWND window, s::image::win::BufferedImage* image, bool ownsImage);

    s::image::win::BufferedImage* m_image = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    bool m_ownsImage = false;
};

}  // namespace s::gui::win
