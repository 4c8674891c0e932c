// s/file/win/FileInputStream.cpp
#include "s/file/win/FileInputStream.h"

#include "s/file/win/PathWin.h"
#include "s/thread/Pool.h"

namespace s::file::win {

bool FileInputStream::open(const wchar_t* path) {
    close();
    PathWin file;
    if (!file.assignText(path)) return false;
    m_cursor.handle = CreateFileW(file.getApiPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_cursor.isOpen();
}

void FileInputStream::close() {
    if (m_cursor.isOpen()) CloseHandle(m_cursor.handle);
    m_cursor = FileCursor();
}

void FileInputStream::closeAndRelease() {
    close();
    releaseToPool();
}

s::base::IObject* FileInputStream::newInstance() const { return s::thread::Pool<FileInputStream>::obtain(); }

void FileInputStream::releaseToPool() { s::thread::Pool<FileInputStream>::release(this); }

}  // namespace s::file::win
