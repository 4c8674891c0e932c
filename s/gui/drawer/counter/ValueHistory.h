// s/gui/drawer/counter/ValueHistory.h
//
// The recent values a counter graph shows: a ring buffer of 64-bit samples with a minimum,
// a maximum or automatic scaling to the largest visible sample, an optional colour of its
// own and a marker mode. A worker may add samples while the UI thread paints: both hold the
// history's lock.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/thread/ObjLocker.h"

namespace s::gui::drawer::counter {

class ValueHistory {
public:
    explicit ValueHistory(int32_t capacity = 512);
    ~ValueHistory();
    ValueHistory(const ValueHistory&) = delete;
    ValueHistory& operator=(const ValueHistory&) = delete;

    void add(int64_t sample);
    void clear();
    void setLimits(int64_t minimum, int64_t maximum);  // also ends automatic scaling
    void setAutoScale(bool on) { m_autoScale = on; }
    void setColour(bool own, COLORREF colour) { m_hasColour = own, m_colour = colour; }
    void setMarkers(bool on) { m_markers = on; }
    bool hasColour() const { return m_hasColour; }
    COLORREF colour() const { return m_colour; }
    bool markers() const { return m_markers; }
    int64_t minimum() const { return m_minimum; }
    // The maximum the graph scales to when `visible` samples show.
    int64_t scaleMaximum(int32_t visible) const;
    int32_t count() const { return m_count; }
    // The i-th newest sample (0 = newest); call under the lock.
    int64_t newest(int32_t i) const;
    s::thread::ObjLocker& lock() { return m_lock; }

private:
    s::thread::ObjLocker m_lock;
    int64_t* m_samples = nullptr;
    int32_t m_capacity = 0;
    int32_t m_count = 0;
    int32_t m_next = 0;
    int64_t m_minimum = 0;
    int64_t m_maximum = 100;
    bool m_autoScale = false;
    bool m_hasColour = false;
    COLORREF m_colour = 0;
    bool m_markers = false;
};

// How high a sample stands in a graph `height` high: (sample - minimum) x height / (maximum
// - minimum) within 0 and height; 0 when the range is empty, and at least 1 for a sample
// above the minimum.
int32_t sampleHeight(int64_t sample, int64_t minimum, int64_t maximum, int32_t height);

}  // namespace s::gui::drawer::counter
