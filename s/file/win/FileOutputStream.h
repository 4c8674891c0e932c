// s/file/win/FileOutputStream.h
//
// Writes a file through one Windows handle and a 65,536-byte buffer (allocated when the
// stream opens): a write that fits touches the file only at the next flush, seek, truncate,
// read or close. Reads go through the same handle. Pooled, capacity 1000; one thread at a
// time; owns its handle and buffer. When a write to the file fails, the bytes still buffered
// are dropped and the stream takes no more writes until it is opened again, so nothing is
// written twice or out of order.
#pragma once
#include "s/file/IFileOutputStream.h"
#include "s/file/win/FileCursor.h"

namespace s::file::win {

class FileOutputStream final : public s::file::IFileOutputStream, public virtual s::thread::IPoolable {
public:
    static constexpr uint32_t kBufferBytes = 65536;

    FileOutputStream() = default;
    ~FileOutputStream() override { close(); }
    FileOutputStream(const FileOutputStream&) = delete;
    FileOutputStream& operator=(const FileOutputStream&) = delete;

    // The call that asks the system to put a file's data on the disk, replaceable by tests
    // (none restores FlushFileBuffers); answers the one installed before.
    using FlushFunction = BOOL(WINAPI*)(HANDLE file);
    static FlushFunction installFlushFunction(FlushFunction flush);

    uint32_t bufferedBytes() const { return m_buffered; }
    bool hasFailed() const { return m_failed; }

    // IFileOutputStream: the path's API form is opened, appending (OPEN_ALWAYS, then the end)
    // or emptied (CREATE_ALWAYS).
    bool open(const wchar_t* path, bool append) override;

    // IOutputStream. write answers true when every byte was taken; after a failed write to
    // the file, *written is the count of this call's bytes that reached it.
    bool write(const void* data, uint32_t count, uint32_t* written) override;
    bool flush() override;     // the buffer to the file, then FlushFileBuffers
    bool truncate() override;  // flush, then the file ends at the position
    void close() override;     // flush (to the disk too), close, free the buffer
    uint64_t position() override { return m_cursor.position; }
    bool canSeek() override { return true; }
    bool seekStart() override { return writeBuffered() && m_cursor.seekStart(); }
    bool seekEnd() override { return writeBuffered() && m_cursor.seekEnd(); }
    bool seek(uint64_t position) override { return writeBuffered() && m_cursor.seek(position); }
    bool seekFromEnd(uint64_t distance) override { return writeBuffered() && m_cursor.seekFromEnd(distance); }
    uint64_t skip(uint64_t distance) override { return writeBuffered() ? m_cursor.skip(distance) : 0; }
    uint64_t skipBack(uint64_t distance) override { return writeBuffered() ? m_cursor.skipBack(distance) : 0; }
    void detach() override;  // forgets the handle unclosed; buffered bytes are dropped
    void closeAndRelease() override;

    // IInputStream: one ReadFile at the position, after the buffer went to the file.
    bool read(void* buffer, uint32_t max, uint32_t* count) override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_win_FileOutputStream"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: closed, position 0
    void releaseToPool() override;
    void resetForReuse() override { close(); }

private:
    // One WriteFile of the whole buffer; on failure the buffer is dropped and the stream fails.
    bool writeBuffered();
    void forget();

    FileCursor m_cursor;
    uint8_t* m_buffer = nullptr;
    uint32_t m_buffered = 0;
    bool m_failed = false;
};

}  // namespace s::file::win
