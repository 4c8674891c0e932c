// s/reg/win/UserSid.cpp
#include "s/reg/win/UserSid.h"

#include <atomic>
#include <cwchar>
#include <new>

#include "s/str/strbuffer/StrBuffer.h"

namespace s::reg::win {

namespace {

using s::str::strbuffer::StrBuffer;

void showMessageBox(const wchar_t* caption, const wchar_t* text) {
    MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

std::atomic<MessageFunction> s_message{&showMessageBox};

bool appendFormatted(StrBuffer* text, const wchar_t* format, unsigned long value) {
    wchar_t unit[32];
    int n = _snwprintf(unit, 32, format, value);
    return n > 0 && text->append(unit, n);
}

bool appendAuthority(StrBuffer* text, const SID_IDENTIFIER_AUTHORITY& authority) {
    const BYTE* v = authority.Value;
    if (v[0] != 0 || v[1] != 0) {
        wchar_t unit[32];
        int n = _snwprintf(unit, 32, L"0x%02hx%02hx%02hx%02hx%02hx%02hx",
                           static_cast<unsigned short>(v[0]), static_cast<unsigned short>(v[1]),
                           static_cast<unsigned short>(v[2]), static_cast<unsigned short>(v[3]),
                           static_cast<unsigned short>(v[4]), static_cast<unsigned short>(v[5]));
        return n > 0 && text->append(unit, n);
    }
    unsigned long low = static_cast<unsigned long>(v[2]) << 24 | static_cast<unsigned long>(v[3]) << 16 |
                        static_cast<unsigned long>(v[4]) << 8 | v[5];
    return appendFormatted(text, L"%lu", low);
}

// The text of a message table entry, without its line end; false when there is none.
bool appendMessage(StrBuffer* text, uint32_t code) {
    wchar_t* message = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                  FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM;
    DWORD n = FormatMessageW(flags, GetModuleHandleW(L"ntdll.dll"), code, 0,
                             reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (!message) return false;
    while (n > 0 && (message[n - 1] == L'\r' || message[n - 1] == L'\n' || message[n - 1] == L' ')) --n;
    bool ok = n > 0 && text->append(message, static_cast<int32_t>(n));
    LocalFree(message);
    return ok;
}

}  // namespace

bool appendSidText(StrBuffer* text, PSID sid) {
    if (!text || !sid || !IsValidSid(sid)) return false;
    const uint32_t before = text->length();
    bool ok = appendFormatted(text, L"S-%lu-", static_cast<SID*>(sid)->Revision) &&
              appendAuthority(text, *GetSidIdentifierAuthority(sid));
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    for (UCHAR i = 0; ok && i < count; ++i) ok = appendFormatted(text, L"-%lu", *GetSidSubAuthority(sid, i));
    if (!ok) text->setLength(before);
    return ok;
}

bool currentUserSidText(StrBuffer* text, uint32_t* error) {
    HANDLE token = nullptr;
    uint32_t failure = 0;
    uint8_t* user = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        failure = GetLastError();
    } else {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        user = size ? new (std::nothrow) uint8_t[size] : nullptr;
        if (!user)
            failure = size ? ERROR_NOT_ENOUGH_MEMORY : GetLastError();
        else if (!GetTokenInformation(token, TokenUser, user, size, &size))
            failure = GetLastError();
        CloseHandle(token);
    }
    if (failure == 0) {
        text->clear();
        if (!appendSidText(text, reinterpret_cast<TOKEN_USER*>(user)->User.Sid)) failure = ERROR_INVALID_SID;
    }
    delete[] user;
    if (failure && error) *error = failure;
    return failure == 0;
}

void formatRegistryError(uint32_t code, StrBuffer* text) {
    wchar_t head[64];
    int n = _snwprintf(head, 64, L"Error( %u [0x%8XL] ) - ", code, code);
    text->clear();
    if (n > 0) text->append(head, n);
    if (!appendMessage(text, code)) text->append(L"No NT Error Data");
}

void reportRegistryError(uint32_t code) {
    StrBuffer text;
    formatRegistryError(code, &text);
    s_message.load()(L"Registry: Message...", text.cString());
}

MessageFunction setRegistryMessageFunction(MessageFunction function) {
    return s_message.exchange(function ? function : &showMessageBox);
}

}  // namespace s::reg::win
