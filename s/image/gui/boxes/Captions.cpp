// s/image/gui/boxes/Captions.cpp
#include "s/image/gui/boxes/Captions.h"

#include "s/gui/ITextLocalizer.h"

namespace s::image::gui::boxes {

const wchar_t* captionText(s::gui::ITextLocalizer* localizer, const Caption& caption) {
    const wchar_t* text = localizer ? localizer->getText(caption.id) : nullptr;
    return text && *text ? text : caption.english;
}

}  // namespace s::image::gui::boxes
