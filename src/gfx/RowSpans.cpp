#include "gfx/RowSpans.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

RowSpans RowSpans::RoundedBox(int left, int top, int right, int bottom, double rx, double ry, int firstRow,
                              int endRow)
{
    RowSpans shape;
    shape.top = std::max(top, firstRow);
    int count = std::max(0, std::min(bottom, endRow) - shape.top);
    shape.rows.resize(static_cast<size_t>(count));
    rx = std::clamp(rx, 0.0, (right - left) / 2.0);
    ry = std::clamp(ry, 0.0, (bottom - top) / 2.0);
    for (int i = 0; i < count; ++i) {
        double centre = shape.top + i + 0.5;
        double depth = 0.0;
        if (centre < top + ry) {
            depth = top + ry - centre;
        } else if (centre > bottom - ry) {
            depth = centre - (bottom - ry);
        }
        double inset = 0.0;
        if (depth > 0.0) {
            double t = depth / ry;
            inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - t * t));
        }
        int first = static_cast<int>(std::ceil(left + inset - 0.5));
        // Mirrored so that both sides of a corner look alike.
        shape.rows[static_cast<size_t>(i)] = {first, left + right - 1 - first};
    }
    return shape;
}

RowSpans RowSpans::Inner(int depth) const
{
    RowSpans inner;
    inner.top = top;
    int count = static_cast<int>(rows.size());
    inner.rows.resize(rows.size());
    for (int i = 0; i < count; ++i) {
        Span span{1, 0};
        if (i - depth >= 0 && i + depth < count) {
            span = {rows[static_cast<size_t>(i)].left + depth, rows[static_cast<size_t>(i)].right - depth};
            for (int d = -depth; d <= depth; ++d) {
                const Span& other = rows[static_cast<size_t>(i + d)];
                int reach = depth - std::abs(d);
                span.left = std::max(span.left, other.left + reach);
                span.right = std::min(span.right, other.right - reach);
            }
        }
        inner.rows[static_cast<size_t>(i)] = span;
    }
    return inner;
}
