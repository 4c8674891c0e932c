// s/gui/ITextLocalizer.h
//
// What a window needs of the language pack: texts by id in the current language, the
// current language's name, and a list of listeners told (onEvent with the localizer as the
// source, code 0) when the language changes. The notification may come on any thread.
#pragma once
#include <cstdint>

namespace s::gui::events {
class IEventListener;
}  // namespace s::gui::events

namespace s::gui {

class ITextLocalizer {
public:
    virtual ~ITextLocalizer() = default;
    // The text in the current language; the empty text when the id is absent. The text
    // belongs to the localizer.
    virtual const wchar_t* getText(int32_t id) = 0;
    virtual const wchar_t* currentLanguageName() = 0;
    virtual void addListener(s::gui::events::IEventListener* listener) = 0;
    virtual void removeListener(s::gui::events::IEventListener* listener) = 0;
};

}  // namespace s::gui
