// s/system/codepage/CodePageCatalogue.h
//
// The code-page catalogue: the pages that both the system supports and this library knows by
// a display name (a table of 43), as pooled CodePage objects sorted by name ignoring case,
// always with one object for 1200 (UTF-16) and one for 1201 (UTF-16BE); built once, on the
// first call of loadCodePageCatalogue, under a static lock, from EnumSystemCodePagesW.
#pragma once

namespace s::system::codepage {

// Later calls return at once. Defined, with the catalogue's list, loaded flag and UTF-16
// objects, in CodePageCatalogue.cpp. The string conversions do not need the catalogue:
// they recognise the two UTF-16 pages by number.
void loadCodePageCatalogue();

}  // namespace s::system::codepage
