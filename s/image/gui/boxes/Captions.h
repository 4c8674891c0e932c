// s/image/gui/boxes/Captions.h
//
// The boxes' caption ids and their English texts, and the rule that picks one: the
// localizer's text when it has a non-empty one for the id, else the English text. The
// language pack carries none of these ids, and a caption must never be blank.
#pragma once
#include <cstdint>

namespace s::gui { class ITextLocalizer; }

namespace s::image::gui::boxes {

struct Caption {
    int32_t id;
    const wchar_t* english;
};

constexpr Caption kBackground = {2000000000, L"Background"};
constexpr Caption kFillColor = {2000001000, L"Fill Color"};
constexpr Caption kKeepTransparency = {2000002000, L"Keep Transparency"};
constexpr Caption kQuality = {2000004000, L"Quality"};
constexpr Caption kInterlace = {2000008000, L"Interlace"};
constexpr Caption kEnableInterlacing = {2000009000, L"Enable Interlacing"};
constexpr Caption kResolution = {2000018000, L"Resolution"};
constexpr Caption kBpp4 = {2000019000, L"4 Bpp (16 Colors)"};
constexpr Caption kBpp8 = {2000020000, L"8 Bpp (256 Colors)"};
constexpr Caption kBpp24 = {2000022000, L"24 Bpp (16,777,216 Colors)"};
constexpr Caption kBpp32 = {2000023000, L"32 Bpp (16,777,216 Colors with Transparency)"};

const wchar_t* captionText(s::gui::ITextLocalizer* localizer, const Caption& caption);

}  // namespace s::image::gui::boxes
