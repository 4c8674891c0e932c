// s/file/win/StreamQuery.cpp
#include "s/file/win/StreamQuery.h"

#include <winternl.h>

#include <cstring>
#include <new>

#include "s/base/Lasting.h"
#include "s/system/win/DllLocater.h"
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

template <class F>
F entryPoint(const s::system::win::DllLocater& module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(module.function(name)));
}

// ntdll is held by a locater that lives as long as the process (never destroyed).
const NtEntryPoints& entryPoints() {
    static const NtEntryPoints points = [] {
        NtEntryPoints p;
        const s::system::win::DllLocater* ntdll = new (std::nothrow) s::system::win::DllLocater(L"ntdll.dll");
        if (!ntdll || !ntdll->isLoaded()) return p;
        p.queryInformationFile = entryPoint<QueryInformationFile>(*ntdll, "NtQueryInformationFile");
        p.statusToDosError = entryPoint<StatusToDosError>(*ntdll, "RtlNtStatusToDosError");
        p.fsControlFile = entryPoint<FsControlFile>(*ntdll, "NtFsControlFile");
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
    static s::base::Lasting<RecordBuffer> buffer;
    return buffer.get();
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

bool systemVolumeFlags(const wchar_t* root, DWORD* flags) {
    return GetVolumeInformationW(root && *root ? root : nullptr, nullptr, 0, nullptr, nullptr, flags, nullptr, 0) != 0;
}

VolumeFlagsReader activeVolumeFlagsReader = &systemVolumeFlags;

}  // namespace

bool readVolumeFlags(const wchar_t* root, DWORD* flags) { return activeVolumeFlagsReader(root, flags); }

VolumeFlagsReader installVolumeFlagsReader(VolumeFlagsReader reader) {
    VolumeFlagsReader before = activeVolumeFlagsReader;
    activeVolumeFlagsReader = reader ? reader : &systemVolumeFlags;
    return before;
}

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
