// s/xml/Escape.h
//
// The escaping rules of the dialect, for attribute values and for element text. Each writes
// into `out` (cleared unless append) and reads `count` units of `text` (-1: up to its
// terminator; a null text is empty); references are matched only inside those units.
// Failures: false when memory ran out (out then holds part of the result).
#pragma once
#include <cstdint>

namespace s::str::strbuffer { class StrBuffer; }

namespace s::xml {

// LF "&#10;", CR "&#13;", '"' "&quot;", '&' "&amp;", '<' "&lt;"; all else unchanged.
bool xmlEscapeAttribute(const wchar_t* text, int32_t count, s::str::strbuffer::StrBuffer* out, bool append);
// LF "&#10;", CR "&#13;", space "&#160;", '&' "&amp;", '<' "&lt;", '>' "&gt;".
bool xmlEscapeText(const wchar_t* text, int32_t count, s::str::strbuffer::StrBuffer* out, bool append);
// Decodes "&amp;", "&lt;", "&quot;", "&#13;", "&#10;"; any other '&' is copied; no trimming.
bool xmlUnescapeAttribute(const wchar_t* text, int32_t count, s::str::strbuffer::StrBuffer* out, bool append);
// Skips leading tab, LF, CR and space; decodes "&amp;", "&lt;", "&gt;", "&#160;" (a plain
// space), "&#13;", "&#10;"; then trims trailing literal whitespace (space, LF, U+3000, tab,
// CR) but never a character that a reference produced.
bool xmlUnescapeText(const wchar_t* text, int32_t count, s::str::strbuffer::StrBuffer* out, bool append);

}  // namespace s::xml
