// s/archive/dll/ResourceText.h
//
// Text renderings of resource templates, apart from any I/O: each reads the bytes of one
// resource (as a module stores it) and appends lines ending in CR LF to the text. Every
// count, length and offset is checked against the size before it is read; a damaged
// template answers false (the text then holds what came before the damage).
#pragma once
#include <cstdint>

namespace s::str::strbuffer { class StrBuffer; }

namespace s::archive::dll {

using Text = s::str::strbuffer::StrBuffer;

// An accelerator table: per entry "Key: ", the modifiers, the key, "Action ID: " and the id.
bool acceleratorsAsText(const uint8_t* bytes, uint32_t size, Text* text);
// A standard menu template: one line per item, a tab per submenu level.
bool menuAsText(const uint8_t* bytes, uint32_t size, Text* text);
// A dialog template, standard or extended: its values, then one block per control.
bool dialogAsText(const uint8_t* bytes, uint32_t size, Text* text);
// A block of 16 strings: each between double quotes, an empty slot as an empty line.
bool stringTableAsText(const uint8_t* bytes, uint32_t size, Text* text);
// A version record: the fixed values, then every string table and the translations.
bool versionAsText(const uint8_t* bytes, uint32_t size, Text* text);
// The name of a virtual key as the key list gives it ("F1 key"), "Unknown key" without one.
void appendVirtualKeyName(uint32_t code, Text* text);

}  // namespace s::archive::dll
