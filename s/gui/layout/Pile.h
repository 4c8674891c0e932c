// s/gui/layout/Pile.h
//
// Every visible child over the same area, at the top left. Stateless: the shared instance serves every
// container; pooled like every object.
#pragma once
#include "s/gui/layout/ILayoutManager.h"
#include "s/thread/IPoolable.h"

namespace s::gui::layout {

class Pile final : public ILayoutManager, public virtual s::thread::IPoolable {
public:
    static Pile* shared();

    void layout(s::gui::IContainer* container) override;

    const wchar_t* classId() const override { return L"s_gui_layout_Pile"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override {}
};

}  // namespace s::gui::layout
