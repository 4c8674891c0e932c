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

// SeBackupPrivilege for the process, once; true when it was enabled.
bool enableBackupPrivilege();

}  // namespace s::file::win
