// s/gui/layout/Arrangement.cpp
#include "s/gui/layout/Arrangement.h"

#include <algorithm>

#include "s/gui/IContainer.h"

namespace s::gui::layout {

namespace {

using s::gui::IComponent;
using s::gui::IContainer;

// A component seen along a line's axis (main) and across it (cross).
struct Axis {
    bool vertical;

    int32_t main(const IComponent* c) const { return vertical ? c->getHeight() : c->getWidth(); }
    int32_t cross(const IComponent* c) const { return vertical ? c->getWidth() : c->getHeight(); }
    int32_t minMain(const IComponent* c) const {
        return vertical ? c->getMinHeight() : c->getMinWidth();
    }
    int32_t minCross(const IComponent* c) const {
        return vertical ? c->getMinWidth() : c->getMinHeight();
    }
    int32_t targetMain(const IComponent* c) const {
        return vertical ? c->getTargetHeight() : c->getTargetWidth();
    }
    int32_t targetCross(const IComponent* c) const {
        return vertical ? c->getTargetWidth() : c->getTargetHeight();
    }
    bool sharesMain(const IComponent* c) const {
        return vertical ? c->sharesParentHeight() : c->sharesParentWidth();
    }
    bool sharesCross(const IComponent* c) const {
        return vertical ? c->sharesParentWidth() : c->sharesParentHeight();
    }
    int32_t innerMain(const IComponent* c) const {
        return vertical ? c->getInnerHeight() : c->getInnerWidth();
    }
    int32_t innerCross(const IComponent* c) const {
        return vertical ? c->getInnerWidth() : c->getInnerHeight();
    }
    void size(IComponent* c, int32_t cross, int32_t main) const {
        if (vertical)
            c->setSizeWithinLimits(cross, main);
        else
            c->setSizeWithinLimits(main, cross);
    }
    void place(IComponent* c, int32_t main, int32_t cross) const {
        if (vertical)
            c->setPosition(cross, main);
        else
            c->setPosition(main, cross);
    }
};

// Children's geometry is collected and applied in one go when the arrangement ends; a
// child that moved or changed its size is painted again once its thread is idle.
class Deferral {
public:
    explicit Deferral(IContainer* container) : m_container(container) {
        for (uint32_t i = 0; i < container->getChildCount(); ++i)
            container->getChild(i)->beginDeferGeometry();
    }
    ~Deferral() {
        for (uint32_t i = 0; i < m_container->getChildCount(); ++i)
            m_container->getChild(i)->endDeferGeometry();
    }
    Deferral(const Deferral&) = delete;
    Deferral& operator=(const Deferral&) = delete;

private:
    IContainer* m_container;
};

// Sum of lengths with the gap after every child at least 1 long; a trailing zero-length
// child takes back the gap before it.
template <class Length>
int32_t gappedSum(const IContainer* container, int32_t gap, Length length) {
    int32_t sum = 0;
    bool gapPending = false;
    uint32_t n = container->getChildCount();
    for (uint32_t i = 0; i < n; ++i) {
        int32_t l = length(container->getChild(i));
        if (gapPending) sum += gap;
        sum += l;
        gapPending = l >= 1;
    }
    if (n > 1 && length(container->getChild(n - 1)) < 1 &&
        length(container->getChild(n - 2)) >= 1)
        sum -= gap;
    return sum;
}

bool takesSpace(const IComponent* c) { return c->isVisible() && c->getMinWidth() > 0; }

// What a child asks of the container's own target: a share of the container's size asks
// for nothing beyond the child's minimum (or the length it was given at it), else the
// container's target would be whatever size the container has now, and its layouts would
// never settle.
int32_t askedWidth(const IComponent* c) {
    return c->sharesParentWidth() ? c->getMinWidth() : std::max(c->getMinWidth(), c->getTargetWidth());
}

}  // namespace

int32_t Arrangement::alignedOffset(int32_t align, int32_t space, int32_t length) {
    if (length >= space || align <= 0) return 0;
    return align == 1 ? (space - length) / 2 : space - length;
}

LayoutResult Arrangement::line(IContainer* container, bool vertical, int32_t mainAlign,
                               int32_t crossAlign, int32_t gap) {
    Axis axis{vertical};
    Deferral deferral(container);
    uint32_t n = container->getChildCount();
    int32_t minCross = 0, targetCross = 0;
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        minCross = std::max(minCross, axis.minCross(c));
        targetCross = std::max(targetCross, axis.minCross(c));
        if (!axis.sharesCross(c)) targetCross = std::max(targetCross, axis.targetCross(c));
    }
    int32_t width = std::max(axis.innerCross(container), minCross);
    for (uint32_t i = 0; i < n; ++i) axis.size(container->getChild(i), width, 0);
    int32_t sum = gappedSum(container, gap, [&](const IComponent* c) { return axis.main(c); });
    int32_t targets = gappedSum(container, gap, [&](const IComponent* c) {
        return std::max(axis.targetMain(c), axis.main(c));
    });
    int32_t asked = gappedSum(container, gap, [&](const IComponent* c) {
        return axis.sharesMain(c) ? axis.main(c) : std::max(axis.targetMain(c), axis.main(c));
    });
    int32_t space = std::max(axis.innerMain(container), sum);
    int32_t spare = space - sum;
    if (spare >= 1 && sum < targets) {
        if (space < targets) {
            float ratio = static_cast<float>(spare) / static_cast<float>(targets - sum);
            for (uint32_t i = 0; i < n; ++i) {
                IComponent* c = container->getChild(i);
                int32_t before = axis.main(c);
                int32_t shortfall = axis.targetMain(c) - before;
                if (shortfall <= 0) continue;
                axis.size(c, width, before + static_cast<int32_t>(ratio * shortfall));
                spare -= axis.main(c) - before;
            }
            for (uint32_t i = 0; i < n && spare > 0; ++i) {
                IComponent* c = container->getChild(i);
                int32_t before = axis.main(c);
                int32_t want = std::min(spare, axis.targetMain(c) - before);
                if (want <= 0) continue;
                axis.size(c, width, before + want);
                spare -= axis.main(c) - before;
            }
        } else {
            for (uint32_t i = 0; i < n; ++i) {
                IComponent* c = container->getChild(i);
                axis.size(c, width, std::max(axis.targetMain(c), axis.main(c)));
            }
            spare = space - targets;
        }
    }
    int32_t offset = 0;
    if (spare >= 1) offset = mainAlign <= 0 ? 0 : mainAlign == 1 ? spare / 2 : spare;
    int32_t previous = 0;
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        if (i > 0 && previous >= 1) offset += gap;
        // A hidden child keeps its parked place; its length, if any, stays its room.
        if (c->isVisible()) axis.place(c, offset, alignedOffset(crossAlign, width, axis.cross(c)));
        previous = axis.main(c);
        offset += previous;
    }
    LayoutResult r;
    (vertical ? r.minWidth : r.minHeight) = minCross;
    (vertical ? r.minHeight : r.minWidth) = sum;
    (vertical ? r.targetWidth : r.targetHeight) = targetCross;
    (vertical ? r.targetHeight : r.targetWidth) = asked;
    return r;
}

LayoutResult Arrangement::flow(IContainer* container, int32_t hAlign, int32_t vAlign,
                               int32_t hGap, int32_t vGap) {
    Deferral deferral(container);
    uint32_t n = container->getChildCount();
    LayoutResult r;
    bool anyWide = false;
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        r.minWidth = std::max(r.minWidth, c->getMinWidth());
        if (takesSpace(c) && anyWide) r.targetWidth += hGap;
        r.targetWidth += askedWidth(c);
        anyWide = anyWide || takesSpace(c);
    }
    int32_t width = std::max(container->getInnerWidth(), r.minWidth);
    for (uint32_t i = 0; i < n; ++i) container->getChild(i)->setSizeWithinLimits(width, 0);

    // Rows as runs of children [first, end) with their used width and tallest child.
    struct Row {
        uint32_t first, end;
        int32_t used, height, target;
    };
    Row rows[64];  // a row holds at least one child; beyond 64 rows the rest share the last
    uint32_t rowCount = 0;
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        Row* row = rowCount ? &rows[rowCount - 1] : nullptr;
        int32_t gap = row && row->used > 0 && takesSpace(c) ? hGap : 0;
        if (!row || (width - row->used - gap - c->getWidth() < 0 && rowCount < 64 &&
                     row->end > row->first)) {
            rows[rowCount++] = Row{i, i, 0, 0, 0};
            row = &rows[rowCount - 1];
            gap = 0;
        }
        row->end = i + 1;
        row->used += gap + c->getWidth();
        row->height = std::max(row->height, c->getHeight());
        row->target = std::max(row->target, c->sharesParentHeight() ? c->getHeight()
                                                                      : std::max(c->getTargetHeight(), c->getHeight()));
    }
    for (uint32_t k = 0; k < rowCount; ++k) {
        if (k) r.minHeight += vGap, r.targetHeight += vGap;
        r.minHeight += rows[k].height;
        r.targetHeight += rows[k].target;
    }
    int32_t spare = std::max(container->getInnerHeight(), r.minHeight) - r.minHeight;
    if (spare > 0 && r.minHeight < r.targetHeight) {
        float ratio = static_cast<float>(spare) / static_cast<float>(r.targetHeight - r.minHeight);
        for (uint32_t k = 0; k < rowCount; ++k) {
            int32_t tallest = 0;
            for (uint32_t i = rows[k].first; i < rows[k].end; ++i) {
                IComponent* c = container->getChild(i);
                int32_t shortfall = c->getTargetHeight() - c->getHeight();
                if (shortfall > 0)
                    c->setSizeWithinLimits(c->getWidth(),
                                           c->getHeight() + static_cast<int32_t>(ratio * shortfall));
                tallest = std::max(tallest, c->getHeight());
            }
            spare -= tallest - rows[k].height;
            rows[k].height = tallest;
        }
    }
    int32_t y = spare >= 1 ? (vAlign <= 0 ? 0 : vAlign == 1 ? spare / 2 : spare) : 0;
    for (uint32_t k = 0; k < rowCount; ++k) {
        int32_t x = alignedOffset(hAlign, width, rows[k].used);
        bool placed = false;
        for (uint32_t i = rows[k].first; i < rows[k].end; ++i) {
            IComponent* c = container->getChild(i);
            if (placed && takesSpace(c)) x += hGap;
            if (c->isVisible()) c->setPosition(x, y);
            x += c->getWidth();
            placed = placed || takesSpace(c);
        }
        y += rows[k].height + vGap;
    }
    return r;
}

LayoutResult Arrangement::pile(IContainer* container, int32_t hAlign, int32_t vAlign) {
    Deferral deferral(container);
    uint32_t n = container->getChildCount();
    LayoutResult r;
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        if (!c->isVisible()) continue;
        r.minWidth = std::max(r.minWidth, c->getMinWidth());
        r.targetWidth = std::max(r.targetWidth, askedWidth(c));
    }
    int32_t width = std::max(container->getInnerWidth(), r.minWidth);
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        if (!c->isVisible()) continue;
        c->setSizeWithinLimits(width, 0);
        r.minHeight = std::max(r.minHeight, c->getHeight());
        r.targetHeight = std::max(r.targetHeight, c->sharesParentHeight() ? c->getHeight() : c->getTargetHeight());
    }
    int32_t height = std::max(container->getInnerHeight(), r.minHeight);
    for (uint32_t i = 0; i < n; ++i) {
        IComponent* c = container->getChild(i);
        if (!c->isVisible()) continue;
        if (c->getHeight() < c->getTargetHeight())
            c->setSizeWithinLimits(c->getWidth(), std::max(height, c->getTargetHeight()));
        c->setPosition(alignedOffset(hAlign, width, c->getWidth()),
                       alignedOffset(vAlign, height, c->getHeight()));
    }
    return r;
}

}  // namespace s::gui::layout
