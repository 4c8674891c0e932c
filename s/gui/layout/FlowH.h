// s/gui/layout/FlowH.h
//
// Children side by side, wrapped into rows, from the top left, no gaps. Stateless: the shared instance serves every
// container; pooled like every object.
#pragma once
#include "s/gui/layout/ILayoutManager.h"
#include "s/thread/IPoolable.h"

namespace s::gui::layout {

class FlowH final : public ILayoutManager, public virtual s::thread::IPoolable {
public:
    static FlowH* shared();

    void layout(s::gui::IContainer* container) override;

    const wchar_t* classId() const override { return L"s_gui_layout_FlowH"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override {}
};

}  // namespace s::gui::layout
