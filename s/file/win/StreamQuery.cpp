// s/file/win/StreamQuery.cpp
#include "s/file/win/StreamQuery.h"

#include <winternl.h>

#include <cstring>
#include <new>

#include "s/thread/ObjLocker.h"

namespace s::file::win {

namespace {

constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);
constexpr ULONG kFileStreamInformation = 22;
constexpr uint32_t kFirstBufferBytes = 1024;
constexpr uint32_t kLargestBufferBytes = 10000000;

using QueryInformationFile = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
using StatusToDosError = ULONG(NTAPI*)(NTSTATUS);
using FsControlFile = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, ULONG, PVOID, ULONG, PVOID, ULONG);

struct NtEntryPoints {
    QueryInformationFile queryInformationFile = nullptr;
    StatusToDosError statusToDosError = nullptr;
    FsControlFile fsControlFile = nullptr;
};

// ntdll stays loaded for the life of the process: the module is never freed.
const NtEntryPoints& entryPoints() {
    static const NtEntryPoints points = [] {
        NtEntryPoints p;
        HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
        if (!ntdll) return p;
        p.queryInformationFile = reinterpret_cast<QueryInformationFile>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")));
        p.statusToDosError =
            reinterpret_cast<StatusToDosError>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
        p.fsControlFile =
            reinterpret_cast<FsControlFile>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtFsControlFile")));
        return p;
    }();
    return points;
}

// The shared record buffer and its lock, made once and never freed.
struct RecordBuffer {
    s::thread::ObjLocker lock;
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
};

RecordBuffer& recordBuffer() {
    static RecordBuffer* const buffer = new RecordBuffer();
    return *buffer;
}

bool growTo(RecordBuffer& buffer, uint32_t size) {
    uint8_t* bytes = new (std::nothrow) uint8_t[size];
    if (!bytes) return false;
    delete[] buffer.bytes;
    buffer.bytes = bytes;
    buffer.size = size;
    return true;
}

bool wantsMoreRoom(NTSTATUS status) {
    return status == kBufferOverflow || status == kInfoLengthMismatch || status == kBufferTooSmall;
}

}  // namespace

bool enableBackupPrivilege() {
    static const bool enabled = [] {
        HANDLE token;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
        TOKEN_PRIVILEGES privileges;
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        bool done = LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &privileges.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS;
        CloseHandle(token);
        return done;
    }();
    return enabled;
}

bool streamQueryAvailable() {
    static const bool available = [] {
        bool found = entryPoints().queryInformationFile != nullptr;
        if (found) enableBackupPrivilege();
        return found;
    }();
    return available;
}

bool queryStreams(HANDLE file, StreamVisitor visitor, void* context) {
    if (!streamQueryAvailable() || file == INVALID_HANDLE_VALUE) return false;
    RecordBuffer& buffer = recordBuffer();
    s::thread::Lock lock(buffer.lock);
    if (!buffer.bytes && !growTo(buffer, kFirstBufferBytes)) return false;
    IO_STATUS_BLOCK io;
    NTSTATUS status;
    for (;;) {
        std::memset(buffer.bytes, 0, 24);  // the first record's name length among them
        std::memset(&io, 0, sizeof io);
        status = entryPoints().queryInformationFile(file, &io, buffer.bytes, buffer.size, kFileStreamInformation);
        if (!wantsMoreRoom(status) || buffer.size > kLargestBufferBytes) break;
        if (!growTo(buffer, buffer.size + buffer.size / 2)) return false;
    }
    if (!NT_SUCCESS(status) || status == kBufferOverflow) return false;
    const uint32_t returned = io.Information < buffer.size ? static_cast<uint32_t>(io.Information) : buffer.size;
    walkStreamRecords(buffer.bytes, returned, visitor, context);
    return true;
}

}  // namespace s::file::win
