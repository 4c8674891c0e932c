// s/gui/layout/Vertical.h
//
// One column from the top, children left-aligned, no gaps. Stateless: the shared instance serves every
// container; pooled like every object.
#pragma once
#include "s/gui/layout/ILayoutManager.h"
#include "s/thread/IPoolable.h"

namespace s::gui::layout {

class Vertical final : public ILayoutManager, public virtual s::thread::IPoolable {
public:
    static Vertical* shared();

    void layout(s::gui::IContainer* container) override;

    const wchar_t* classId() const override { return L"s_gui_layout_Vertical"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override {}
};

}  // namespace s::gui::layout
