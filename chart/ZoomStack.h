// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace ql708::chart {

struct ViewRange {
    double xLo = 0, xHi = 1, yLo = 0, yHi = 1;
    bool operator==(const ViewRange &) const = default;
};

// The zoom levels entered with the rubber band, innermost last. Empty means unzoomed: the view
// then follows the chart's scales. Scrolling a zoomed view moves the innermost level.
class ZoomStack {
public:
    bool zoomed() const { return !m_levels.empty(); }
    int depth() const { return int(m_levels.size()); }
    const ViewRange &current() const { return m_levels.back(); }
    void push(const ViewRange &r) { m_levels.push_back(r); }
    void replaceCurrent(const ViewRange &r) { if (zoomed()) m_levels.back() = r; }
    void clear() { m_levels.clear(); }

private:
    std::vector<ViewRange> m_levels;
};

// The zoom a rubber band gives inside view: only the axes that the mode lets zoom change.
// xa..xb and ya..yb are the band's corners in data units, in any order.
ViewRange zoomedRange(const ViewRange &view, double xa, double xb, double ya, double yb, bool horz, bool vert);

// Scrolling one axis of a zoomed view across the full range: where lo..hi sits within
// fullLo..fullHi as 0 (left/bottom end) to 1, and the range of the same width placed there.
double scrollFraction(double lo, double hi, double fullLo, double fullHi);
void placeAt(double &lo, double &hi, double fullLo, double fullHi, double fraction);

} // namespace ql708::chart
