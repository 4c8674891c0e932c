// s/gui/drawer/counter/ValueHistory.cpp
#include "s/gui/drawer/counter/ValueHistory.h"

#include <new>

namespace s::gui::drawer::counter {

ValueHistory::ValueHistory(int32_t capacity)
    : m_samples(capacity > 0 ? new (std::nothrow) int64_t[capacity] : nullptr),
      m_capacity(m_samples ? capacity : 0) {}

ValueHistory::~ValueHistory() { delete[] m_samples; }

void ValueHistory::add(int64_t sample) {
    s::thread::Lock hold(m_lock);
    if (!m_capacity) return;
    m_samples[m_next] = sample;
    m_next = (m_next + 1) % m_capacity;
    if (m_count < m_capacity) ++m_count;
}

void ValueHistory::clear() {
    s::thread::Lock hold(m_lock);
    m_count = m_next = 0;
}

void ValueHistory::setLimits(int64_t minimum, int64_t maximum) {
    s::thread::Lock hold(m_lock);
    m_minimum = minimum;
    m_maximum = maximum;
    m_autoScale = false;
}

int64_t ValueHistory::newest(int32_t i) const {
    return m_samples[((m_next - 1 - i) % m_capacity + m_capacity) % m_capacity];
}

int64_t ValueHistory::scaleMaximum(int32_t visible) const {
    if (!m_autoScale) return m_maximum;
    int64_t largest = m_minimum;
    for (int32_t i = 0; i < visible && i < m_count; ++i) {
        if (newest(i) > largest) largest = newest(i);
    }
    return largest;
}

int32_t sampleHeight(int64_t sample, int64_t minimum, int64_t maximum, int32_t height) {
    if (height <= 0) return 0;
    int64_t h = 0;
    // An empty range (all samples at the minimum, or limits set equal) has no scale: every
    // sample stands at 0 rather than dividing by zero.
    if (maximum > minimum) h = (sample - minimum) * height / (maximum - minimum);
    if (h <= 0 && sample > minimum) h = 1;
    return h < 0 ? 0 : h > height ? height : static_cast<int32_t>(h);
}

}  // namespace s::gui::drawer::counter
