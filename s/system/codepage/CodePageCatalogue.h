// s/system/codepage/CodePageCatalogue.h
//
// The code-page catalogue: the pages that both the system supports and this library knows
// by a display name, as pooled CodePage objects sorted by name ignoring case, always with
// one object for 1200 (UTF-16) and one for 1201 (UTF-16BE). It is built once, on the first
// call of loadCodePageCatalogue, under a static lock, from EnumSystemCodePagesW and the
// library's table of 43 known pages; later calls return at once. Its list, its loaded flag
// and its UTF-16 objects are declared here beside the loader when the catalogue is built.
//
// The string conversions do not need it: they recognise the two UTF-16 pages by number.
#pragma once

namespace s::system::codepage {

void loadCodePageCatalogue();

}  // namespace s::system::codepage
