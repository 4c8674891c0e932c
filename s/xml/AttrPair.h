// s/xml/AttrPair.h
//
// One (name, value) pair of an element: both are terminated heap copies held in one block
// that the pair owns (the value follows the name). An empty name marks a run of element
// text. Pairs are made and taken back only by the AttrFactory; `next` links its free list.
#pragma once
#include <cstdint>

namespace s::xml {

struct AttrPair {
    wchar_t* name = nullptr;
    uint32_t nameLength = 0;
    wchar_t* value = nullptr;
    uint32_t valueLength = 0;
    AttrPair* next = nullptr;
};

}  // namespace s::xml
