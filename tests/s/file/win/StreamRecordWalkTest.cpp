// tests/s/file/win/StreamRecordWalkTest.cpp
//
// The stream records are made up here, as NtQueryInformationFile lays them out: Wine keeps
// no alternate data streams, so this is where the walk is shown.
#include "s/file/win/StreamRecordWalk.h"

#include <gmock/gmock.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using s::file::win::walkStreamRecords;

struct Record {
    std::wstring name;
    int64_t size;
    int64_t next = -1;       // -1: the offset of the following record (0 after the last)
    int64_t nameBytes = -1;  // -1: the name's own length
};

template <class T>
void put(std::vector<uint8_t>& bytes, size_t at, T value) {
    std::memcpy(&bytes[at], &value, sizeof value);
}

// Each record on an 8-byte boundary, as the system writes them.
std::vector<uint8_t> layOut(const std::vector<Record>& records) {
    std::vector<size_t> offsets;
    size_t end = 0;
    for (const Record& r : records) {
        offsets.push_back(end);
        end += (24 + r.name.size() * 2 + 7) / 8 * 8;
    }
    std::vector<uint8_t> bytes(end, 0);
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const size_t at = offsets[i];
        const int64_t next = r.next >= 0 ? r.next : (i + 1 < records.size() ? offsets[i + 1] - at : 0);
        put<uint32_t>(bytes, at, static_cast<uint32_t>(next));
        put<uint32_t>(bytes, at + 4, static_cast<uint32_t>(r.nameBytes >= 0 ? r.nameBytes : r.name.size() * 2));
        put<int64_t>(bytes, at + 8, r.size);
        put<int64_t>(bytes, at + 16, (r.size + 4095) / 4096 * 4096);
        std::memcpy(&bytes[at + 24], r.name.data(), r.name.size() * 2);
    }
    return bytes;
}

using Found = std::vector<std::pair<std::wstring, int64_t>>;

Found walk(const std::vector<uint8_t>& bytes, size_t count) {
    Found found;
    walkStreamRecords(
        bytes.data(), static_cast<uint32_t>(count),
        [](const wchar_t* name, uint32_t length, int64_t size, void* context) {
            static_cast<Found*>(context)->push_back({std::wstring(name, length), size});
            return true;
        },
        &found);
    return found;
}

Found walk(const std::vector<uint8_t>& bytes) { return walk(bytes, bytes.size()); }

TEST(StreamRecordWalk, TheDefaultStreamIsSkippedAndNamesLoseTheirType) {
    EXPECT_EQ(walk(layOut({{L"::$DATA", 100}, {L":info:$DATA", 5}})), (Found{{L":info", 5}}));
    EXPECT_EQ(walk(layOut({{L"::$data", 100}})), Found{}) << "any case";
    EXPECT_EQ(walk(layOut({{L"::$DATA", 1}, {L":a:$DATA", 2}, {L":Zone.Identifier:$DATA", 26}})),
              (Found{{L":a", 2}, {L":Zone.Identifier", 26}}));
}

TEST(StreamRecordWalk, NamesOfThreeBytesOrFewerAreSkipped) {
    EXPECT_EQ(walk(layOut({{L":", 7, -1, 2}, {L":x", 8, -1, 3}, {L":b:$DATA", 9}})), (Found{{L":b", 9}}));
}

TEST(StreamRecordWalk, ANameOf780UnitsEndsTheWalk) {
    const std::wstring longName = L":" + std::wstring(773, L'n') + L":$DATA";  // 780 units
    ASSERT_EQ(longName.size(), 780u);
    EXPECT_EQ(walk(layOut({{L":a:$DATA", 1}, {longName, 2}, {L":c:$DATA", 3}})), (Found{{L":a", 1}}))
        << "the streams found before are kept";
    const std::wstring justShorter = L":" + std::wstring(772, L'n') + L":$DATA";
    EXPECT_EQ(walk(layOut({{justShorter, 2}})).size(), 1u);
}

TEST(StreamRecordWalk, OffsetsAndLengthsBeyondTheReturnedBytesStopIt) {
    const std::vector<uint8_t> two = layOut({{L":a:$DATA", 1}, {L":b:$DATA", 2}});
    EXPECT_EQ(walk(two).size(), 2u);
    EXPECT_EQ(walk(two, 40), (Found{{L":a", 1}})) << "the second record was not returned";
    EXPECT_EQ(walk(two, 30), Found{}) << "even the first name is cut";
    EXPECT_EQ(walk(two, 0), Found{});
    EXPECT_EQ(walk(layOut({{L":a:$DATA", 1, 1000000}, {L":b:$DATA", 2}})), (Found{{L":a", 1}}))
        << "a next offset far beyond the buffer";
    EXPECT_EQ(walk(layOut({{L":a:$DATA", 1, 8}, {L":b:$DATA", 2}})), (Found{{L":a", 1}}))
        << "a next offset inside its own record";
    EXPECT_EQ(walk(layOut({{L":a:$DATA", 1, -1, 0x7FFFFFF0}, {L":b:$DATA", 2}})), Found{})
        << "a name length beyond the buffer";
    EXPECT_EQ(walk(layOut({{L":a:$DATA", 1, -1, 0xFFFFFFFF}})), Found{}) << "a length that would wrap around";
}

TEST(StreamRecordWalk, AVisitorCanStopIt) {
    const std::vector<uint8_t> bytes = layOut({{L":a:$DATA", 1}, {L":b:$DATA", 2}});
    int calls = 0;
    EXPECT_EQ(walkStreamRecords(bytes.data(), static_cast<uint32_t>(bytes.size()),
                                [](const wchar_t*, uint32_t, int64_t, void* context) {
                                    ++*static_cast<int*>(context);
                                    return false;
                                },
                                &calls),
              1u);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(walkStreamRecords(nullptr, 100, nullptr, nullptr), 0u);
}

}  // namespace
