// s/gui/win/ControlColour.cpp
#include "s/gui/win/ControlColour.h"

#include "s/gui/IComponent.h"

namespace s::gui::win {

bool inheritsNoBackground(const s::gui::IComponent* parent) {
    while (parent && parent->isBackgroundInherited()) parent = parent->getParent();
    return parent == nullptr;
}

LRESULT answerControlColour(HDC dc, const ColourRequest& request, CBrush* brush) {
    if (request.text != CLR_INVALID) SetTextColor(dc, request.text);
    if (request.transparent) {
        brush->DeleteObject();
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    }
    SetBkColor(dc, request.background);
    // The previous brush goes only once the new one exists: the system may still paint with it.
    CBrush previous;
    previous.Attach(brush->Detach());
    brush->CreateSolidBrush(request.background);
    return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(*brush));
}

}  // namespace s::gui::win
