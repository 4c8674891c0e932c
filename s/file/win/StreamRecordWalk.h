// s/file/win/StreamRecordWalk.h
//
// Reads the records that NtQueryInformationFile(FileStreamInformation) writes, as a plain
// function over a byte buffer so that it can be fed made-up records. Each record: next-entry
// offset (4 bytes), name length in bytes (4), stream size (8), allocation size (8), then the
// UTF-16 name ":name:$DATA". Safe on any thread.
#pragma once
#include <cstdint>

namespace s::file::win {

// Names of this many units or more end the walk (the streams found before are kept).
constexpr uint32_t kLongestStreamName = 780;

// name: the stream's name with its leading colon and without its type (":info"),
// nameLength units; size: the stream's size. False ends the walk.
using StreamVisitor = bool (*)(const wchar_t* name, uint32_t nameLength, int64_t size, void* context);

// Visits each named stream of the first byteCount bytes (the count the query returned):
// the default stream "::$DATA" (any case) and names of 3 bytes or fewer are skipped. A
// record or name that does not lie wholly inside byteCount, or a next-entry offset that does
// not move past the record, ends the walk. Answers the number of streams visited.
uint32_t walkStreamRecords(const uint8_t* buffer, uint32_t byteCount, StreamVisitor visitor, void* context);

}  // namespace s::file::win
