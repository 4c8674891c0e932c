// s/archive/dll/VirtualKeyNames.cpp
//
// The descriptions of the Windows virtual-key list; the runs of digits, letters, keypad
// digits and function keys are composed.
#include "s/archive/dll/ResourceText.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::archive::dll {
namespace {

struct KeyName {
    uint8_t code;
    const wchar_t* name;
};

constexpr KeyName kKeys[] = {
    {0x01, L"Left mouse button"}, {0x02, L"Right mouse button"}, {0x03, L"Control-break processing"},
    {0x04, L"Middle mouse button"}, {0x05, L"X1 mouse button"}, {0x06, L"X2 mouse button"},
    {0x08, L"BACKSPACE key"}, {0x09, L"TAB key"}, {0x0C, L"CLEAR key"}, {0x0D, L"ENTER key"},
    {0x10, L"SHIFT key"}, {0x11, L"CTRL key"}, {0x12, L"ALT key"}, {0x13, L"PAUSE key"},
    {0x14, L"CAPS LOCK key"}, {0x15, L"IME Kana mode"}, {0x16, L"IME On"}, {0x17, L"IME Junja mode"},
    {0x18, L"IME final mode"}, {0x19, L"IME Kanji mode"}, {0x1A, L"IME Off"}, {0x1B, L"ESC key"},
    {0x1C, L"IME convert"}, {0x1D, L"IME nonconvert"}, {0x1E, L"IME accept"},
    {0x1F, L"IME mode change request"}, {0x20, L"SPACEBAR"}, {0x21, L"PAGE UP key"},
    {0x22, L"PAGE DOWN key"}, {0x23, L"END key"}, {0x24, L"HOME key"}, {0x25, L"LEFT ARROW key"},
    {0x26, L"UP ARROW key"}, {0x27, L"RIGHT ARROW key"}, {0x28, L"DOWN ARROW key"},
    {0x29, L"SELECT key"}, {0x2A, L"PRINT key"}, {0x2B, L"EXECUTE key"}, {0x2C, L"PRINT SCREEN key"},
    {0x2D, L"INS key"}, {0x2E, L"DEL key"}, {0x2F, L"HELP key"}, {0x5B, L"Left Windows key"},
    {0x5C, L"Right Windows key"}, {0x5D, L"Applications key"}, {0x5F, L"Computer Sleep key"},
    {0x6A, L"Multiply key"}, {0x6B, L"Add key"}, {0x6C, L"Separator key"}, {0x6D, L"Subtract key"},
    {0x6E, L"Decimal key"}, {0x6F, L"Divide key"}, {0x90, L"NUM LOCK key"}, {0x91, L"SCROLL LOCK key"},
    {0xA0, L"Left SHIFT key"}, {0xA1, L"Right SHIFT key"}, {0xA2, L"Left CONTROL key"},
    {0xA3, L"Right CONTROL key"}, {0xA4, L"Left ALT key"}, {0xA5, L"Right ALT key"},
    {0xA6, L"Browser Back key"}, {0xA7, L"Browser Forward key"}, {0xA8, L"Browser Refresh key"},
    {0xA9, L"Browser Stop key"}, {0xAA, L"Browser Search key"}, {0xAB, L"Browser Favorites key"},
    {0xAC, L"Browser Start and Home key"}, {0xAD, L"Volume Mute key"}, {0xAE, L"Volume Down key"},
    {0xAF, L"Volume Up key"}, {0xB0, L"Next Track key"}, {0xB1, L"Previous Track key"},
    {0xB2, L"Stop Media key"}, {0xB3, L"Play/Pause Media key"}, {0xB4, L"Start Mail key"},
    {0xB5, L"Select Media key"}, {0xB6, L"Start Application 1 key"}, {0xB7, L"Start Application 2 key"},
    {0xBA, L";: key"}, {0xBB, L"+ key"}, {0xBC, L", key"}, {0xBD, L"- key"}, {0xBE, L". key"},
    {0xBF, L"/? key"}, {0xC0, L"`~ key"}, {0xDB, L"[{ key"}, {0xDC, L"\\| key"}, {0xDD, L"]} key"},
    {0xDE, L"'\" key"}, {0xDF, L"OEM 8 key"}, {0xE2, L"<> key"}, {0xE5, L"IME PROCESS key"},
    {0xE7, L"Packet key"}, {0xF6, L"Attn key"}, {0xF7, L"CrSel key"}, {0xF8, L"ExSel key"},
    {0xF9, L"Erase EOF key"}, {0xFA, L"Play key"}, {0xFB, L"Zoom key"}, {0xFD, L"PA1 key"},
    {0xFE, L"Clear key"},
};

}  // namespace

void appendVirtualKeyName(uint32_t code, Text* text) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        text->appendChar(static_cast<wchar_t>(code));
        text->append(L" key");
    } else if (code >= 0x60 && code <= 0x69) {
        text->append(L"Numeric keypad ");
        text->appendUInt32(code - 0x60);
        text->append(L" key");
    } else if (code >= 0x70 && code <= 0x87) {
        text->append(L"F");
        text->appendUInt32(code - 0x6F);
        text->append(L" key");
    } else {
        for (const KeyName& key : kKeys) {
            if (key.code == code) {
                text->append(key.name);
                return;
            }
        }
        text->append(L"Unknown key");
    }
}

}  // namespace s::archive::dll
