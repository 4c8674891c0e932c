// s/file/win/FileInputStream.h
//
// Reads a file through one Windows handle (shared reading and writing with others,
// sequential-scan hint). Pooled, capacity 1000; one thread at a time. Owns its handle:
// close, the pool reset and the destructor close it; detach forgets it unclosed.
#pragma once
#include "s/file/IFileInputStream.h"
#include "s/file/win/FileCursor.h"

namespace s::file::win {

class FileInputStream final : public s::file::IFileInputStream, public virtual s::thread::IPoolable {
public:
    FileInputStream() = default;
    ~FileInputStream() override { close(); }
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;

    // IFileInputStream: the path's API form ("\\?\" for long paths) is opened.
    bool open(const wchar_t* path) override;

    // IInputStream. read makes one ReadFile and answers true only when it read a byte.
    bool read(void* buffer, uint32_t max, uint32_t* count) override { return m_cursor.read(buffer, max, count); }
    void close() override;
    uint64_t position() override { return m_cursor.position; }
    bool canSeek() override { return true; }
    bool seekStart() override { return m_cursor.seekStart(); }
    bool seekEnd() override { return m_cursor.seekEnd(); }
    bool seek(uint64_t position) override { return m_cursor.seek(position); }
    bool seekFromEnd(uint64_t distance) override { return m_cursor.seekFromEnd(distance); }
    uint64_t skip(uint64_t distance) override { return m_cursor.skip(distance); }
    uint64_t skipBack(uint64_t distance) override { return m_cursor.skipBack(distance); }
    void detach() override { m_cursor = FileCursor(); }
    void closeAndRelease() override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_win_FileInputStream"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: closed, position 0
    void releaseToPool() override;
    void resetForReuse() override { close(); }

private:
    FileCursor m_cursor;
};

}  // namespace s::file::win
