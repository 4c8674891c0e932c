// s/image/win/LoadFromArchive.h
//
// Pictures kept as resources of a module: the entry's bytes decoded by any codec. Type and
// name are given as the system's resource calls take them (a value below 0x10000 is a
// number; a numeric type is a standard id). A missing entry leaves the codec unchanged and
// answers false; otherwise the codec's decode decides.
#pragma once
#include "s/col/_array/ArrayU08.h"

namespace s::archive::dll::win { class Archive; }

namespace s::image::win {

// The entry's bytes (pooled, rewound); null when the archive has no such entry.
s::col::_array::ArrayU08* extractArchiveEntry(s::archive::dll::win::Archive* archive, const wchar_t* type,
                                              const wchar_t* name);

template <class Codec>
bool loadFromArchive(Codec* codec, s::archive::dll::win::Archive* archive, const wchar_t* type,
                     const wchar_t* name) {
    s::col::_array::ArrayU08* bytes = codec ? extractArchiveEntry(archive, type, name) : nullptr;
    if (!bytes) return false;
    const bool decoded = codec->decode(bytes);
    bytes->releaseToPool();
    return decoded;
}

}  // namespace s::image::win
