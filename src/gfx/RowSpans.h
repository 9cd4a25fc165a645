#pragma once

#include <vector>

// The pixels of a filled shape, row by row: row i covers x = left..right (inclusive) of line
// top + i; left > right leaves the row empty.
struct RowSpans {
    struct Span {
        int left;
        int right;
    };

    int top = 0;
    std::vector<Span> rows;

    // A rectangle over x in [left, right) and y in [top, bottom) whose corners are quarter ellipses
    // of radii rx and ry (0 for square corners); pixel centres decide what is inside. Only the rows
    // from firstRow up to (not including) endRow are made, so a huge box costs no more than the picture.
    static RowSpans RoundedBox(int left, int top, int right, int bottom, double rx, double ry, int firstRow,
                               int endRow);
    // The pixels deeper than depth steps (left, right, up or down) inside the shape: removing them
    // leaves an outline depth pixels thick.
    RowSpans Inner(int depth) const;
};
