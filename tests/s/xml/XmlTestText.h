// tests/s/xml/XmlTestText.h
//
// Helpers of the XML tests: a tree's shape as one line (name, its pairs, its children), so a
// table row can state a whole parse result; the writer's text of a node.
#pragma once
#include <string>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"

namespace tests {

// name(k=v,k=v){child child}; a text run is "=v".
inline std::wstring shape(const s::xml::Node& node) {
    std::wstring out = node.name();
    out += L"(";
    const s::xml::Attributes& pairs = node.attributes();
    for (uint32_t i = 0; i < pairs.count(); ++i) {
        if (i) out += L",";
        out += std::wstring(pairs.at(i)->name, pairs.at(i)->nameLength) + L"=" +
               std::wstring(pairs.at(i)->value, pairs.at(i)->valueLength);
    }
    out += L"){";
    for (uint32_t i = 0; i < node.childCount(); ++i) {
        if (i) out += L" ";
        out += shape(*node.childAt(i));
    }
    return out + L"}";
}

inline std::wstring written(const s::xml::Node& node) {
    s::str::strbuffer::StrBuffer out;
    return node.toText(&out, false) ? text(&out) : L"(failed)";
}

// Levels of the deepest branch (the trees of the tests are at most a few hundred deep).
inline uint32_t depthOf(const s::xml::Node& node) {
    uint32_t deepest = 0;
    for (uint32_t i = 0; i < node.childCount(); ++i) {
        const uint32_t d = depthOf(*node.childAt(i));
        if (d > deepest) deepest = d;
    }
    return deepest + 1;
}

}  // namespace tests
