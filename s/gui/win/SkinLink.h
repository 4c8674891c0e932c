// s/gui/win/SkinLink.h
//
// A component's membership in its window's Skinner: joining takes the current skin at once,
// and every later skin change hands the new skin to the component, which takes its family's
// drawer from it. The skin keeps the drawers; the component only borrows them.
#pragma once
#include <cstdint>

#include "s/gui/drawer/ISkinListener.h"

namespace s::gui::drawer {
class ISkin;
}  // namespace s::gui::drawer

namespace s::gui::win {

class SkinLink final : public s::gui::drawer::ISkinListener {
public:
    using Take = void (*)(void* owner, s::gui::drawer::ISkin* skin);

    SkinLink(void* owner, Take take) : m_owner(owner), m_take(take) {}
    ~SkinLink() override { follow(nullptr); }
    SkinLink(const SkinLink&) = delete;
    SkinLink& operator=(const SkinLink&) = delete;

    // Leaves the skinner followed so far; joins `skinner` (none: follows nothing).
    void follow(s::gui::drawer::Skinner* skinner);
    s::gui::drawer::Skinner* skinner() const { return m_skinner; }

    void onEvent(s::gui::drawer::Skinner* source, int32_t code) override;

private:
    void takeCurrent();

    void* m_owner;
    Take m_take;
    s::gui::drawer::Skinner* m_skinner = nullptr;
};

}  // namespace s::gui::win
