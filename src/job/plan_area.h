#pragma once
// One area of the planner: the cells it works on, the outline trace that finds an area's
// bounding box and run ends, the fill that marks the runs, and the trim that makes every run
// begin and end on a struck dot. Everything here stays inside rows 0..H+1 and columns 0..W+1,
// whatever the picture.

#include "picture/matrices.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace zeb {

// PlanMask values and bits.
namespace plan_mask {
constexpr qint32 Pending = 1;  // a dot still to emit
constexpr qint32 RunStart = 4; // left end of a run in its row
constexpr qint32 RunEnd = 8;   // right end of a run in its row
constexpr qint32 InArea = 128; // belongs to the area being worked
} // namespace plan_mask

// The planner's view of the matrices: cell (r, c) for r in 0..H+1 and c in 0..W+1, whose
// presence is DotMap[r][c] and whose dot level is DotLevels[r][c + 1]. A dot the plan has
// struck reads as level -1 from then on; DotLevels itself is left alone until the plan is
// kept (TakeStruck, then MarkStruckDots).
class PlanCells {
public:
    explicit PlanCells(PictureMatrices& matrices);

    int Height() const { return m_h; } // H: the seed search covers rows 0..H-1
    int Width() const { return m_w; }  // W: and columns 0..W-1
    int LastRow() const { return m_h + 1; }
    int LastColumn() const { return m_w + 1; }
    bool Inside(int r, int c) const { return r >= 0 && c >= 0 && r <= m_h + 1 && c <= m_w + 1; }
    // A dot as the outline trace sees it; nothing outside the cells.
    bool HasDot(int r, int c) const { return Inside(r, c) && m_m.DotMap.At(r, c) > 0; }
    qint32& Mask(int r, int c) {
        Q_ASSERT(Inside(r, c));
        return m_m.PlanMask.At(r, c);
    }
    double Level(int r, int c) const {
        Q_ASSERT(Inside(r, c));
        return m_struck[Index(r, c)] ? -1.0 : m_m.DotLevels.At(r, c + 1);
    }
    // A run passed the cell: a level above 0 is struck now and counts as -1 afterwards.
    void Pass(int r, int c) {
        if (Level(r, c) > 0)
            m_struck[Index(r, c)] = 1;
    }
    // One flag per cell, row by row over W + 2 columns: struck by this plan.
    std::vector<std::uint8_t> TakeStruck() { return std::move(m_struck); }

private:
    size_t Index(int r, int c) const { return static_cast<size_t>(r) * (m_w + 2) + c; }

    PictureMatrices& m_m;
    int m_h;
    int m_w;
    std::vector<std::uint8_t> m_struck;
};

struct AreaBox {
    int top = 0;
    int bottom = -1;
    int left = 0;
    int right = -1;

    void Include(int r, int c);
};

// Remembers which steps a trace has made, so a trace that would go round the same cells
// again stops instead. Sized once per plan; cleared cell by cell after each trace.
class TraceSteps {
public:
    explicit TraceSteps(const PlanCells& cells);
    // Notes that (r, c) was entered from the neighbour in `direction`; false when that step
    // had been made already.
    bool Enter(int r, int c, int direction);
    void Clear();

private:
    int m_cols;
    std::vector<std::uint8_t> m_entered; // one bit per direction
    std::vector<int> m_touched;
};

// Follows the outline of the seed's area clockwise over the 8 neighbours, marking the cells
// it enters and the run ends, and returns the area's bounding box (which always holds the
// seed). Stops back at the seed as the planner's rule says, at an isolated seed, or when it
// would repeat a step: cells it did not reach stay pending and seed areas of their own.
AreaBox TraceOutline(PlanCells& cells, int seedRow, int seedCol, TraceSteps& steps);

// Marks every cell from a run start up to and including the next run end as in the area.
void FillRuns(PlanCells& cells, const AreaBox& box);

// Moves the run starts and ends onto the first and last struck dot of each run.
void TrimRuns(PlanCells& cells, const AreaBox& box);

} // namespace zeb
