// s/gui/win/WindowHover.h
//
// A top-level window's transparency and its hover effect. The alpha asked for is shown at
// once (opaque unless topmost when asked so); a cursor over the window sets off the fade
// (the window turns see-through) or the shrink (to a smaller size), each undone a delay
// after the cursor left. Owned by its Window and touched only on its UI thread; the
// readers (alpha, isFaded, ...) are plain reads any thread may make. Without the
// layered-window function the window keeps the alpha it has.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::win {

class Window;

class WindowHover {
public:
    explicit WindowHover(Window& window) : m_window(window) {}
    WindowHover(const WindowHover&) = delete;
    WindowHover& operator=(const WindowHover&) = delete;

    void setAlpha(int32_t percent, bool onlyWhileTopmost);
    // Shows the alpha asked for again (the topmost state it depends on changed).
    void applyAlpha();
    bool followsTopmost() const { return m_alphaOnlyTopmost; }
    int32_t alpha() const { return m_alpha; }
    bool isFaded() const { return m_alpha < m_alphaTarget; }
    bool isActive() const { return m_fadeActive || m_shrinkActive; }
    bool isShrunk() const { return m_fullWidth >= 0; }

    // Each form on its own; a running one of that form is undone first.
    void setFade(bool on, int32_t delaySeconds);
    void setShrink(bool on, int32_t delaySeconds, int32_t width, int32_t height);
    // Nothing happens unless the window is topmost; Shift brings the window back at once.
    void setConditions(bool onlyWhileTopmost, bool shiftOverrides);
    // Undoes whatever runs: the full size and the alpha asked for come back.
    void stop();

    void onMouseMove();
    // False for a timer that is not the hover effect's.
    bool onTimer(WPARAM id);

private:
    void showAlpha(int32_t percent);
    void stopFade();
    void stopShrink();
    void fadeStep(WPARAM id);
    void shrinkStep(WPARAM id);
    bool cursorOutside() const;
    HWND handle() const;

    Window& m_window;
    int32_t m_alpha = 100;
    int32_t m_alphaTarget = 100;
    bool m_alphaOnlyTopmost = false;
    bool m_onlyTopmost = false;
    bool m_shiftOverrides = false;
    bool m_fade = false;
    bool m_fadeActive = false;
    int32_t m_delaySeconds = 5;
    int32_t m_fadeCountdownMs = 0;
    bool m_shrink = false;
    bool m_shrinkActive = false;
    int32_t m_shrunkWidth = -1, m_shrunkHeight = -1;
    int32_t m_fullWidth = -1, m_fullHeight = -1;
};

}  // namespace s::gui::win
