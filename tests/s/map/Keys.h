// tests/s/map/Keys.h
//
// Helpers of the hash-table tests: Keys makes pooled string keys and gives back, when it
// goes, those that no table took over; Recorder is a disposal rule that records what it is
// handed and gives strings back to their pool.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "s/base/IDestructor.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace tests {

class Keys {
public:
    Keys() = default;
    ~Keys() {
        for (s::str::strbuffer::StrBuffer* key : m_keys) key->releaseToPool();
    }
    Keys(const Keys&) = delete;
    Keys& operator=(const Keys&) = delete;

    s::str::strbuffer::StrBuffer* make(const std::wstring& text) {
        m_keys.push_back(s::str::strbuffer::newStrBuffer(text.c_str()));
        return m_keys.back();
    }
    // The key now belongs to a table that disposes of it.
    void handOver(s::str::strbuffer::StrBuffer* key) {
        m_keys.erase(std::remove(m_keys.begin(), m_keys.end(), key), m_keys.end());
    }

private:
    std::vector<s::str::strbuffer::StrBuffer*> m_keys;
};

class Recorder : public s::base::IDestructor {
public:
    explicit Recorder(bool releasesStrings = false) : m_releasesStrings(releasesStrings) {}
    std::vector<void*> destroyed;
    void destroy(void** slot) override {
        if (!*slot) return;
        destroyed.push_back(*slot);
        if (m_releasesStrings) static_cast<s::str::strbuffer::StrBuffer*>(*slot)->releaseToPool();
        *slot = nullptr;
    }

private:
    bool m_releasesStrings;
};

}  // namespace tests
