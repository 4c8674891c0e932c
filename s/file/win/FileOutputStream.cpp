// s/file/win/FileOutputStream.cpp
#include "s/file/win/FileOutputStream.h"

#include <cstring>
#include <new>

#include "s/file/win/PathWin.h"
#include "s/thread/Pool.h"

namespace s::file::win {

bool FileOutputStream::open(const wchar_t* path, bool append) {
    close();
    PathWin file;
    if (!file.assignText(path)) return false;
    m_cursor.handle = CreateFileW(file.getApiPath(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!m_cursor.isOpen()) return false;
    m_buffer = new (std::nothrow) uint8_t[kBufferBytes];
    if (!m_buffer || (append && !m_cursor.seekEnd())) {
        close();
        return false;
    }
    return true;
}

bool FileOutputStream::writeBuffered() {
    if (m_failed) return false;
    if (m_buffered == 0) return true;
    DWORD done = 0;
    const bool whole = WriteFile(m_cursor.handle, m_buffer, m_buffered, &done, nullptr) && done == m_buffered;
    m_buffered = 0;
    m_failed = !whole;
    return whole;
}

bool FileOutputStream::write(const void* data, uint32_t count, uint32_t* written) {
    if (written) *written = 0;
    if (!m_cursor.isOpen() || m_failed) return false;
    if (count == 0) return true;
    if (!data) return false;
    const uint8_t* from = static_cast<const uint8_t*>(data);
    uint32_t left = count;
    uint32_t reached = 0;  // bytes of this call that went to the file
    while (left) {
        const uint32_t room = kBufferBytes - m_buffered;
        const uint32_t n = left < room ? left : room;
        if (n) {
            std::memcpy(m_buffer + m_buffered, from, n);
            m_buffered += n;
            from += n;
            left -= n;
        }
        if (n == 0 || left) {
            const uint32_t mine = (count - left) - reached;
            if (!writeBuffered()) {
                m_cursor.position += reached;
                if (written) *written = reached;
                return false;
            }
            reached += mine;
        }
    }
    m_cursor.position += count;
    if (written) *written = count;
    return true;
}

namespace {

FileOutputStream::FlushFunction g_flush = &FlushFileBuffers;

}  // namespace

FileOutputStream::FlushFunction FileOutputStream::installFlushFunction(FlushFunction flush) {
    FlushFunction before = g_flush;
    g_flush = flush ? flush : &FlushFileBuffers;
    return before;
}

bool FileOutputStream::flush() { return m_cursor.isOpen() && writeBuffered() && g_flush(m_cursor.handle); }

bool FileOutputStream::truncate() { return flush() && SetEndOfFile(m_cursor.handle); }

bool FileOutputStream::read(void* buffer, uint32_t max, uint32_t* count) {
    if (!writeBuffered()) {
        if (count) *count = 0;
        return false;
    }
    return m_cursor.read(buffer, max, count);
}

void FileOutputStream::close() {
    // A save that replaces a file relies on the data being on the disk once it is closed.
    if (m_cursor.isOpen()) {
        flush();
        CloseHandle(m_cursor.handle);
    }
    forget();
}

void FileOutputStream::forget() {
    delete[] m_buffer;
    m_buffer = nullptr;
    m_buffered = 0;
    m_failed = false;
    m_cursor = FileCursor();
}

void FileOutputStream::detach() { forget(); }

void FileOutputStream::closeAndRelease() {
    close();
    releaseToPool();
}

s::base::IObject* FileOutputStream::newInstance() const { return s::thread::Pool<FileOutputStream>::obtain(); }

void FileOutputStream::releaseToPool() { s::thread::Pool<FileOutputStream>::release(this); }

}  // namespace s::file::win
