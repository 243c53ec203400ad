#include "job/plan_area.h"

#include <algorithm>

namespace zeb {

using namespace plan_mask;

namespace {

// Neighbours clockwise from straight up; rows grow downwards.
enum Direction { N, NE, E, SE, S, SW, W, NW };
constexpr int RowStep[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int ColStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// Run-end bits the current cell gets when its next outline cell lies in a direction and was
// the k-th neighbour tested: the bit is set when k exceeds the threshold (0: always, 8: never).
struct EndRule {
    int startAbove;
    int endAbove;
};
constexpr EndRule EndRules[8] = {
    {0, 6}, // N
    {3, 7}, // NE
    {4, 8}, // E
    {5, 0}, // SE
    {6, 0}, // S
    {7, 3}, // SW
    {8, 4}, // W
    {0, 5}, // NW
};

qint32 EndBits(int direction, int k) {
    const EndRule& rule = EndRules[direction];
    return (k > rule.startAbove ? RunStart : 0) | (k > rule.endAbove ? RunEnd : 0);
}

} // namespace

PlanCells::PlanCells(PictureMatrices& matrices)
    : m_m(matrices), m_h(matrices.H), m_w(matrices.W),
      m_struck(static_cast<size_t>(m_h + 2) * (m_w + 2), 0) {}

void AreaBox::Include(int r, int c) {
    top = std::min(top, r);
    bottom = std::max(bottom, r);
    left = std::min(left, c);
    right = std::max(right, c);
}

TraceSteps::TraceSteps(const PlanCells& cells)
    : m_cols(cells.LastColumn() + 1),
      m_entered(static_cast<size_t>(cells.LastRow() + 1) * m_cols, 0) {}

bool TraceSteps::Enter(int r, int c, int direction) {
    const int index = r * m_cols + c;
    std::uint8_t& entered = m_entered[static_cast<size_t>(index)];
    const auto bit = static_cast<std::uint8_t>(1u << direction);
    if (entered & bit)
        return false;
    if (entered == 0)
        m_touched.push_back(index);
    entered |= bit;
    return true;
}

void TraceSteps::Clear() {
    for (int index : m_touched)
        m_entered[static_cast<size_t>(index)] = 0;
    m_touched.clear();
}

AreaBox TraceOutline(PlanCells& cells, int seedRow, int seedCol, TraceSteps& steps) {
    // The box starts empty (top H, bottom 0, left W, right 0) and takes in the seed at once,
    // so a single-cell area's box is that cell and the seed is always worked.
    AreaBox box{cells.Height(), 0, cells.Width(), 0};
    box.Include(seedRow, seedCol);
    cells.Mask(seedRow, seedCol) |= InArea | RunStart;

    int r = seedRow;
    int c = seedCol;
    int from = N; // the previous cell is the one directly above the seed
    for (;;) {
        int found = -1;
        int k = 1;
        for (; k <= 8; ++k) {
            const int direction = (from + k) % 8;
            if (cells.HasDot(r + RowStep[direction], c + ColStep[direction])) {
                found = direction;
                break;
            }
        }
        if (found < 0) {
            cells.Mask(r, c) |= RunStart | RunEnd;
            break;
        }
        const int nextRow = r + RowStep[found];
        const int nextCol = c + ColStep[found];
        const int nextFrom = (found + 4) % 8;
        // The same cell entered from the same cell again: from here on the trace would only
        // repeat itself, with the same marks.
        if (!steps.Enter(nextRow, nextCol, nextFrom))
            break;
        cells.Mask(nextRow, nextCol) |= InArea;
        cells.Mask(r, c) |= EndBits(found, k);
        r = nextRow;
        c = nextCol;
        from = nextFrom;
        box.Include(r, c);
        if (r == seedRow && c == seedCol) {
            const int belowRow = seedRow + 1;
            const int leftCol = seedCol - 1;
            if (!cells.Inside(belowRow, leftCol))
                break;
            const qint32 belowLeft = cells.Mask(belowRow, leftCol);
            if (belowLeft == 0 || (belowLeft & InArea))
                break;
        }
    }
    steps.Clear();
    return box;
}

void FillRuns(PlanCells& cells, const AreaBox& box) {
    for (int r = box.top; r <= box.bottom; ++r) {
        int c = box.left;
        while (c <= box.right) {
            if (!(cells.Mask(r, c) & RunStart)) {
                ++c;
                continue;
            }
            int j = c;
            for (; j <= box.right; ++j) {
                qint32& mask = cells.Mask(r, j);
                mask |= InArea;
                if (mask & RunEnd)
                    break;
            }
            c = j + 1;
        }
    }
}

namespace {

// One walk of the trim from a run end cell (`own`) towards the other end (`other`), one column
// at a time by `step`. Cells in the area that are not struck lose their marks, except the
// cells with the other end's bit, which only lose them at level 0. The first struck cell in
// the area becomes the run's end, and also its other end when the walk passed one on the way.
// Returns the column where the walk stopped (past the box edge when it found no struck cell).
int TrimWalk(PlanCells& cells, const AreaBox& box, int r, int c, int step, qint32 own,
             qint32 other) {
    bool passedOther = false;
    for (; c >= box.left && c <= box.right; c += step) {
        qint32& mask = cells.Mask(r, c);
        const double level = cells.Level(r, c);
        if (mask & other) {
            passedOther = true;
            if (level == 0) {
                mask = 0;
                continue;
            }
        }
        if (!(mask & InArea))
            continue;
        if (level > 0) {
            mask = InArea | own | (passedOther ? other : 0);
            return c;
        }
        if (!(mask & other))
            mask = 0;
    }
    return c;
}

} // namespace

void TrimRuns(PlanCells& cells, const AreaBox& box) {
    for (int r = box.top; r <= box.bottom; ++r) {
        for (int c = box.left; c <= box.right; ++c) {
            if (cells.Mask(r, c) & RunStart)
                c = TrimWalk(cells, box, r, c, +1, RunStart, RunEnd);
        }
    }
    for (int r = box.top; r <= box.bottom; ++r) {
        for (int c = box.right; c >= box.left; --c) {
            if (cells.Mask(r, c) & RunEnd)
                c = TrimWalk(cells, box, r, c, -1, RunEnd, RunStart);
        }
    }
}

} // namespace zeb
