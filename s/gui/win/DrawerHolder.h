// s/gui/win/DrawerHolder.h
//
// The drawer a control paints with and whether the control owns it. An owned drawer goes
// back to its pool when another one takes its place or the holder is released; a borrowed
// one is only forgotten. D is any drawer interface (it has releaseToPool). Not locked: the
// control's thread uses it.
#pragma once

namespace s::gui::win {

template <class D>
class DrawerHolder {
public:
    DrawerHolder() = default;
    ~DrawerHolder() { release(); }
    DrawerHolder(const DrawerHolder&) = delete;
    DrawerHolder& operator=(const DrawerHolder&) = delete;

    D* get() const { return m_drawer; }
    D* operator->() const { return m_drawer; }
    explicit operator bool() const { return m_drawer != nullptr; }
    bool isOwned() const { return m_owned; }

    // The same drawer again only changes whether it is owned.
    void set(D* drawer, bool owned) {
        if (m_drawer && m_owned && m_drawer != drawer) m_drawer->releaseToPool();
        m_drawer = drawer;
        m_owned = drawer && owned;
    }
    void release() { set(nullptr, false); }

private:
    D* m_drawer = nullptr;
    bool m_owned = false;
};

}  // namespace s::gui::win
