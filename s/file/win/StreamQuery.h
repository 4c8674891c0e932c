// s/file/win/StreamQuery.h
//
// The alternate data streams of an open file, through ntdll's NtQueryInformationFile
// (FileStreamInformation), looked up at run time. The first use in the process also
// enables the backup privilege (so folders and files the user may back up can be opened
// for the query); the outcome is remembered. Any thread: the one shared record buffer is
// guarded by a process-wide lock, and kept (growing only) for the life of the process.
#pragma once
#include <windows.h>

#include "s/file/win/StreamRecordWalk.h"

namespace s::file::win {

// Whether the ntdll entry points are there (looked up once, with the privilege).
bool streamQueryAvailable();

// Walks the streams of the open handle with walkStreamRecords; false when the query fails
// (for example "not implemented": Wine 8.0 on a Linux file system, checked).
bool queryStreams(HANDLE file, StreamVisitor visitor, void* context);

// The file-system flags of a volume root, from GetVolumeInformationW; false when they cannot
// be read. A seam: tests install a reader that claims what the test's volume lacks (Wine
// 8.0 reports no named streams on a Linux file system, checked). Install only while no
// other thread reads the flags; null puts the system's reader back. Returns the one before.
using VolumeFlagsReader = bool (*)(const wchar_t* root, DWORD* flags);
bool readVolumeFlags(const wchar_t* root, DWORD* flags);
VolumeFlagsReader installVolumeFlagsReader(VolumeFlagsReader reader);

// SeBackupPrivilege for the process, once; true when it was enabled.
bool enableBackupPrivilege();

}  // namespace s::file::win
