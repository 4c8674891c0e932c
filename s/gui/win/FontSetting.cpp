// s/gui/win/FontSetting.cpp
#include "s/gui/win/FontSetting.h"

#include "s/gui/win/Font.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

FontSetting::FontSetting() { resetForReuse(); }

Font* FontSetting::makeFont() const {
    Font* font = s::thread::Pool<Font, 0>::obtain();
    if (!font) return nullptr;
    if (!font->takeDescription(m_data)) {
        font->releaseToPool();
        return nullptr;
    }
    return font;
}

s::base::IObject* FontSetting::newInstance() const { return s::thread::Pool<FontSetting>::obtain(); }
void FontSetting::releaseToPool() { s::thread::Pool<FontSetting>::release(this); }
void FontSetting::resetForReuse() { m_data.reset(uiScale(), systemFaceName()); }

}  // namespace s::gui::win
