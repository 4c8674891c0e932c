// s/file/win/ShellLinks.h
//
// Shell links (".lnk") and internet shortcuts (".url") through the shell's COM objects. Any
// thread: each call initialises COM on its thread when the object cannot be made otherwise
// (and leaves it initialised). Text results go into the caller's string (cleared unless
// append) or a pooled one; they are empty when anything fails.
#pragma once

namespace s::str::strbuffer { class StrBuffer; }

namespace s::file::win {

// A link at linkPath to an existing target (a ".lnk" target is copied instead), with the
// target's folder as working directory when it exists, and the arguments when given.
bool createShellLinkFile(const wchar_t* target, const wchar_t* linkPath, const wchar_t* arguments);

// The target of a link, resolved without user interface, search or tracking, in its long
// form; empty when the link cannot be resolved (its target gone, for example).
s::str::strbuffer::StrBuffer* resolveShellLinkFile(const wchar_t* linkPath, s::str::strbuffer::StrBuffer* out,
                                                   bool append);

// Each component of the path replaced by the name the folder listing gives it (a short
// "PROGRA~1" becomes "Program Files"); components that cannot be found, or hold "*" or
// "?", stay as they are.
s::str::strbuffer::StrBuffer* expandToLongPath(const wchar_t* path, s::str::strbuffer::StrBuffer* out, bool append);

bool createUrlShortcutFile(const wchar_t* url, const wchar_t* filePath);
s::str::strbuffer::StrBuffer* readUrlShortcutTarget(const wchar_t* filePath, s::str::strbuffer::StrBuffer* out,
                                                    bool append);

}  // namespace s::file::win
