// s/file/IFileInputStream.h
//
// An input stream over a file, opened by path (s::file::win::FileInputStream). One thread
// at a time; taken from its pool, given back with closeAndRelease.
#pragma once
#include "s/base/IObject.h"
#include "s/io/IInputStream.h"

namespace s::file {

class IFileInputStream : public s::base::IObject, public s::io::IInputStream {
public:
    // Closes what was open, then opens the file for reading; false when it cannot be opened.
    virtual bool open(const wchar_t* path) = 0;
    virtual const wchar_t* interfaceClassId() const { return L"s_file_IFileInputStream"; }
};

}  // namespace s::file
