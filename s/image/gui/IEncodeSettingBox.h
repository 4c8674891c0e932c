// s/image/gui/IEncodeSettingBox.h
//
// A settings box as a dialog uses it: attached to one encode setting, it builds its
// controls from the setting's values, answers its format's type name ("Bitmap", "Gif",
// "Jpeg", "Png") and writes the user's choices back through applyTo. Captions come from the
// localizer when one is given and it has them, else they are the English ones. Built and
// used on the UI thread of the window that shows it.
#pragma once
#include "s/gui/events/IEventListener.h"
#include "s/image/IEncodeSettingBox.h"

namespace s::gui { class IBox; class ITextLocalizer; }

namespace s::image::gui {

class IEncodeSettingBox : public s::image::IEncodeSettingBox, public s::gui::events::IEventListener {
public:
    virtual void attach(s::image::IEncodeSetting* setting) = 0;
    // The box's outer container, made on the first call; it belongs to the box until it is
    // given to a parent.
    virtual s::gui::IBox* build() = 0;
    virtual const wchar_t* getTypeName() const = 0;
    virtual void setLocalizer(s::gui::ITextLocalizer* localizer) = 0;
};

}  // namespace s::image::gui
