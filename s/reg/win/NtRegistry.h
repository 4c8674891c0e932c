// s/reg/win/NtRegistry.h
//
// The native key calls of ntdll, looked up once per process at run time, and the native
// paths of the five predefined roots ("\Registry\Machine", "\Registry\User\<the user's
// SID>" ...). Any thread may call; the first callers load once under a lock. Loading fails
// (null) on a non-NT system, or when ntdll lacks any of the names; the HKEY_CURRENT_USER
// path stays empty (so no key under it opens) when the user's SID cannot be read.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace s::reg::win {

// Status values the key layer tells apart (winnt.h lacks them; ntstatus.h clashes with it).
constexpr NTSTATUS kStatusBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kStatusNoMoreEntries = static_cast<NTSTATUS>(0x8000001A);
constexpr NTSTATUS kStatusBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);
constexpr NTSTATUS kStatusObjectNameNotFound = static_cast<NTSTATUS>(0xC0000034);

// Information classes and records of the key calls (mingw's winternl.h lacks them).
constexpr ULONG kKeyBasicInformation = 0;
constexpr ULONG kKeyValueBasicInformation = 0;
constexpr ULONG kKeyValueFullInformation = 1;

struct KeyBasicInformation {
    LARGE_INTEGER lastWriteTime;
    ULONG titleIndex;
    ULONG nameLength;  // bytes
    WCHAR name[1];
};

struct KeyValueBasicInformation {
    ULONG titleIndex;
    ULONG type;
    ULONG nameLength;  // bytes
    WCHAR name[1];
};

struct KeyValueFullInformation {
    ULONG titleIndex;
    ULONG type;
    ULONG dataOffset;  // from the start of the record
    ULONG dataLength;
    ULONG nameLength;  // bytes
    WCHAR name[1];
};

// The calls the key object uses. Every other name of the loaded set is only checked.
struct NtRegistry {
    NTSTATUS(NTAPI* openKey)(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes);
    NTSTATUS(NTAPI* createKey)(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes,
                               ULONG titleIndex, PUNICODE_STRING keyClass, ULONG createOptions,
                               PULONG disposition);
    NTSTATUS(NTAPI* close)(HANDLE handle);
    NTSTATUS(NTAPI* deleteKey)(HANDLE key);
    NTSTATUS(NTAPI* renameKey)(HANDLE key, PUNICODE_STRING newName);
    NTSTATUS(NTAPI* flushKey)(HANDLE key);
    NTSTATUS(NTAPI* queryValueKey)(HANDLE key, PUNICODE_STRING name, ULONG informationClass,
                                   PVOID information, ULONG length, PULONG resultLength);
    NTSTATUS(NTAPI* setValueKey)(HANDLE key, PUNICODE_STRING name, ULONG titleIndex, ULONG type,
                                 PVOID data, ULONG dataSize);
    NTSTATUS(NTAPI* deleteValueKey)(HANDLE key, PUNICODE_STRING name);
    NTSTATUS(NTAPI* enumerateKey)(HANDLE key, ULONG index, ULONG informationClass,
                                  PVOID information, ULONG length, PULONG resultLength);
    NTSTATUS(NTAPI* enumerateValueKey)(HANDLE key, ULONG index, ULONG informationClass,
                                       PVOID information, ULONG length, PULONG resultLength);
    VOID(NTAPI* initUnicodeString)(PUNICODE_STRING string, PCWSTR text);
};

// The loaded calls; null when they cannot be loaded.
const NtRegistry* ntRegistry();

// The five roots. rootName: "HKEY_LOCAL_MACHINE" ...; rootNativePath: "\Registry\Machine"
// ..., "" for HKEY_CURRENT_USER while the SID is unknown. Both null for any other HKEY.
const wchar_t* rootName(HKEY root);
const wchar_t* rootNativePath(HKEY root);
// The root whose name `text` begins with, followed by a backslash: true and *root, and
// *rest at the text after the backslash; false otherwise (names compared ignoring case).
bool splitRootName(const wchar_t* text, HKEY* root, const wchar_t** rest);

}  // namespace s::reg::win
