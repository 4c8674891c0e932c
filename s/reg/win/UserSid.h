// s/reg/win/UserSid.h
//
// The current user's security identifier as text ("S-1-5-21-..."), which names the user's
// tree under \Registry\User, and the message shown when it cannot be read. Any thread.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::str::strbuffer { class StrBuffer; }

namespace s::reg::win {

// Appends "S-<revision>-<authority>-<sub>-<sub>..." with the authority in hexadecimal
// ("0x%02hx" per byte) when either of its two high bytes is set, else in decimal; false
// (nothing appended) for an invalid SID or when memory ran out.
bool appendSidText(s::str::strbuffer::StrBuffer* text, PSID sid);
// The process token's user as text (replacing *text); false and the system's error code in
// *error when it cannot be read.
bool currentUserSidText(s::str::strbuffer::StrBuffer* text, uint32_t* error);

// "Error( <code> [0x<code>L] ) - <the system's text for it>", or "... - No NT Error Data"
// when neither ntdll's message table nor the system's has one.
void formatRegistryError(uint32_t code, s::str::strbuffer::StrBuffer* text);
// Shows formatRegistryError's text in an error box captioned "Registry: Message...".
void reportRegistryError(uint32_t code);

// What reportRegistryError calls, a message box unless a test puts a recorder in its place
// (the previous one is returned; null restores the message box).
using MessageFunction = void (*)(const wchar_t* caption, const wchar_t* text);
MessageFunction setRegistryMessageFunction(MessageFunction function);

}  // namespace s::reg::win
