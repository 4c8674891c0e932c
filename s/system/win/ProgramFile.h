// s/system/win/ProgramFile.h
//
// The running program's own file name, whatever its length: the one reader of it in the
// library (the framework's reader grows its buffer until the name fits). Any thread.
#pragma once

namespace s::str::strbuffer { class StrBuffer; }

namespace s::system::win {

// The full path into out (replaced); false, and out empty, when it cannot be read.
bool programFileText(s::str::strbuffer::StrBuffer* out);

}  // namespace s::system::win
