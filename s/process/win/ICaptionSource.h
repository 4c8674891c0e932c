// s/process/win/ICaptionSource.h
//
// The window captions under which another instance may show itself: one text per language
// of the program for a given text id. The seam through which the language pack is plugged
// into the single-instance search; the search only reads it, on its own thread.
#pragma once
#include <cstdint>

namespace s::process::win {

class ICaptionSource {
public:
    virtual ~ICaptionSource() = default;
    virtual uint32_t languageCount() const = 0;
    // The text of textId in the language at index; the empty text when that language lacks it.
    virtual const wchar_t* captionAt(uint32_t index, uint32_t textId) const = 0;
};

}  // namespace s::process::win
