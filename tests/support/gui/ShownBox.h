// tests/support/gui/ShownBox.h
//
// A Window holding one Box that fills it, laid out as a column with a margin: the place the
// control tests put their controls before showing the window.
#pragma once
#include <functional>

#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"

namespace tests::gui {

struct ShownBox {
    tests::Pooled<s::gui::win::Window> window{s::thread::Pool<s::gui::win::Window, 0>::obtain()};
    s::gui::win::Box* box = s::thread::Pool<s::gui::win::Box>::obtain();

    ShownBox() {
        window->setLayoutManager(s::gui::layout::Vertical::shared());
        window->setBounds(60, 60, 320, 220);
        box->setFillParent();
        box->setMargin(8, false);
        box->setVerticalGap(6);
    }
    template <class C>
    C* add(C* control) {
        box->addChild(control);
        return control;
    }
    void show() {
        window->addChild(box);
        window->show(true, false);
    }
};

inline HWND handleOf(s::gui::IComponent* c) { return c->nativeWindow()->m_hWnd; }

}  // namespace tests::gui
