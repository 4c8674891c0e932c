// s/file/win/NtFile.cpp
#include "s/file/win/NtFile.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <new>

namespace s::file::win {

namespace {

constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006);
constexpr NTSTATUS kNoSuchFile = static_cast<NTSTATUS>(0xC000000F);  // a first batch of nothing
// The attributes a caller may set, those SetFileAttributesW names; the others (folder, link,
// compressed and the like) are the file system's own, and Windows' file systems refuse the
// folder bit on a file as an invalid parameter (Wine 8.0 takes it, checked).
constexpr DWORD kSettableBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                                FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr ULONG kFileDirectoryInformation = 1;
constexpr ULONG kFileBasicInformation = 4;
constexpr ULONG kFileStandardInformation = 5;
constexpr ULONG kFileRenameInformation = 10;
constexpr ULONG kFileDispositionInformation = 13;

using CreateFile = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER, ULONG,
                                    ULONG, ULONG, ULONG, PVOID, ULONG);
using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
using SetInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
using QueryDirectory = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG, BOOLEAN,
                                        PUNICODE_STRING, BOOLEAN);
using StatusToError = ULONG(NTAPI*)(NTSTATUS);

struct Calls {
    CreateFile create = nullptr;
    QueryInformation query = nullptr;
    SetInformation set = nullptr;
    QueryDirectory list = nullptr;
    StatusToError toError = nullptr;
};

template <class F>
F lookUp(HMODULE ntdll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

// ntdll is in every process from its start and never unloaded.
const Calls& calls() {
    static const Calls found = [] {
        Calls c;
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll) return c;
        c.create = lookUp<CreateFile>(ntdll, "NtCreateFile");
        c.query = lookUp<QueryInformation>(ntdll, "NtQueryInformationFile");
        c.set = lookUp<SetInformation>(ntdll, "NtSetInformationFile");
        c.list = lookUp<QueryDirectory>(ntdll, "NtQueryDirectoryFile");
        c.toError = lookUp<StatusToError>(ntdll, "RtlNtStatusToDosError");
        return c;
    }();
    return found;
}

bool succeeded(NTSTATUS status) {
    if (NT_SUCCESS(status)) return true;
    SetLastError(calls().toError ? calls().toError(status) : ERROR_GEN_FAILURE);
    return false;
}

UNICODE_STRING counted(const wchar_t* name, uint32_t length) {
    UNICODE_STRING text;
    text.Length = text.MaximumLength = static_cast<USHORT>(length * sizeof(wchar_t));
    text.Buffer = const_cast<PWSTR>(name);
    return text;
}

bool hasSeparator(const wchar_t* name, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i)
        if (name[i] == L'\\' || name[i] == L'/') return true;
    return false;
}

}  // namespace

bool ntFileCallsAvailable() {
    const Calls& c = calls();
    return c.create && c.query && c.set && c.list && c.toError;
}

HANDLE openInFolder(HANDLE folder, const wchar_t* name, uint32_t length, DWORD access, DWORD share,
                    uint32_t options) {
    // A counted name holds at most 32,767 units; a separator would reach past the folder.
    if (!ntFileCallsAvailable() || !folder || folder == INVALID_HANDLE_VALUE || !name || !length ||
        length > 32767 || hasSeparator(name, length)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    UNICODE_STRING text = counted(name, length);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    ULONG createOptions = FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT;
    if (options & kNtOpenFolder) createOptions |= FILE_DIRECTORY_FILE;
    if (options & kNtOpenUnbuffered) createOptions |= FILE_NO_INTERMEDIATE_BUFFERING;
    createOptions |= (options & kNtOpenBackupIntent) ? FILE_OPEN_FOR_BACKUP_INTENT : FILE_NON_DIRECTORY_FILE;
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    HANDLE file = nullptr;
    const NTSTATUS status = calls().create(&file, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &io,
                                           nullptr, 0, share, FILE_OPEN, createOptions, nullptr, 0);
    return succeeded(status) ? file : INVALID_HANDLE_VALUE;
}

bool nameIsMissingInFolder(HANDLE folder, const wchar_t* name, uint32_t length) {
    constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034);
    constexpr NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);
    if (!ntFileCallsAvailable() || !folder || folder == INVALID_HANDLE_VALUE || !name || !length || length > 32767 ||
        hasSeparator(name, length))
        return false;
    UNICODE_STRING text = counted(name, length);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    // Asked by an open: Wine 8.0's NtQueryAttributesFile answers "not found" inside a
    // folder's handle even for a name that is there (checked).
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    HANDLE item = nullptr;
    const NTSTATUS status = calls().create(&item, FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &io, nullptr, 0,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                                           FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT |
                                               FILE_OPEN_FOR_BACKUP_INTENT,
                                           nullptr, 0);
    if (NT_SUCCESS(status)) CloseHandle(item);
    return status == kNameNotFound || status == kPathNotFound;
}

bool renameInFolder(HANDLE file, HANDLE folder, const wchar_t* name, uint32_t length) {
    if (!ntFileCallsAvailable() || !name || !length || length > 32767 || hasSeparator(name, length)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // Never less than the record itself: Wine 8.0 refuses a shorter one (a one-unit name on
    // 64-bit, checked) as an invalid parameter.
    ULONG bytes = static_cast<ULONG>(offsetof(FILE_RENAME_INFORMATION, FileName) + length * sizeof(wchar_t));
    if (bytes < sizeof(FILE_RENAME_INFORMATION)) bytes = sizeof(FILE_RENAME_INFORMATION);
    auto* request = static_cast<FILE_RENAME_INFORMATION*>(::operator new(bytes, std::nothrow));
    if (!request) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    std::memset(request, 0, bytes);
    request->ReplaceIfExists = FALSE;
    request->RootDirectory = folder;
    request->FileNameLength = static_cast<ULONG>(length * sizeof(wchar_t));
    std::memcpy(request->FileName, name, length * sizeof(wchar_t));
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    const NTSTATUS status = calls().set(file, &io, request, bytes, kFileRenameInformation);
    ::operator delete(request);
    return succeeded(status);
}

bool deleteOnClose(HANDLE file) {
    if (!ntFileCallsAvailable()) return false;
    FILE_DISPOSITION_INFORMATION disposition;
    disposition.DoDeleteFile = TRUE;
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    return succeeded(calls().set(file, &io, &disposition, sizeof disposition, kFileDispositionInformation));
}

bool readBasics(HANDLE file, NtFileBasics* out) {
    if (!ntFileCallsAvailable()) return false;
    FILE_BASIC_INFORMATION info;
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    if (!succeeded(calls().query(file, &io, &info, sizeof info, kFileBasicInformation))) return false;
    out->creation = info.CreationTime.QuadPart;
    out->access = info.LastAccessTime.QuadPart;
    out->write = info.LastWriteTime.QuadPart;
    out->change = info.ChangeTime.QuadPart;
    out->attributes = info.FileAttributes;
    return true;
}

bool writeAttributes(HANDLE file, DWORD attributes) {
    if (!ntFileCallsAvailable()) return false;
    FILE_BASIC_INFORMATION info;
    std::memset(&info, 0, sizeof info);  // times of 0 stay as they are
    // As SetFileAttributesW sends them: never 0, which would leave the attributes unchanged.
    info.FileAttributes = (attributes & kSettableBits) | FILE_ATTRIBUTE_NORMAL;
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    return succeeded(calls().set(file, &io, &info, sizeof info, kFileBasicInformation));
}

bool readLinkCount(HANDLE file, DWORD* names, bool* folder) {
    if (!ntFileCallsAvailable()) return false;
    FILE_STANDARD_INFORMATION info;
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    if (!succeeded(calls().query(file, &io, &info, sizeof info, kFileStandardInformation))) return false;
    if (names) *names = info.NumberOfLinks;
    if (folder) *folder = info.Directory != FALSE;
    return true;
}

int32_t listFolderBatch(HANDLE folder, void* buffer, uint32_t size, bool restart) {
    if (!ntFileCallsAvailable()) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return -1;
    }
    IO_STATUS_BLOCK io;
    std::memset(&io, 0, sizeof io);
    const NTSTATUS status = calls().list(folder, nullptr, nullptr, nullptr, &io, buffer, size,
                                         kFileDirectoryInformation, FALSE, nullptr, restart ? TRUE : FALSE);
    // As FindFirstFileW, a folder that holds not even "." and ".." is read to its end.
    if (status == kNoMoreFiles || (restart && status == kNoSuchFile)) return 0;
    if (!succeeded(status)) return -1;
    return io.Information ? 1 : 0;
}

}  // namespace s::file::win
