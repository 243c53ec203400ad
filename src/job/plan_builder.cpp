#include "job/plan_builder.h"

#include "job/plan_area.h"
#include "job/plan_format.h"
#include "text/text_catalogue.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

using namespace plan_mask;

namespace {

// An approach move is placed 5 columns before a far run start, or half-way to a near one.
constexpr int NearRunStart = 20;
constexpr int ApproachMargin = 5;

char StrikeDigit(double level) {
    if (level == 255)
        return '4';
    if (level == 192)
        return '3';
    if (level == 128)
        return '2';
    if (level == 64)
        return '1';
    // No strike: a level of 0, a dot struck before (-1), or anything else. The digit is
    // still written, so the digits after it stay at their columns.
    return '0';
}

// The seed search over rows 0..H-1 and columns 0..W-1. Pending cells only ever become 0 from
// one seed to the next, so each row keeps the column from which its search may start, and a
// row found empty is marked finished and never searched again.
class SeedSearch {
public:
    explicit SeedSearch(PlanCells& cells)
        : m_cells(cells), m_firstPending(static_cast<size_t>(std::max(cells.Height(), 0)), 0),
          m_finished(m_firstPending.size(), false) {}

    bool Next(int& row, int& col) {
        for (; m_row < m_cells.Height(); ++m_row) {
            if (!m_finished[static_cast<size_t>(m_row)] && Recompute(m_row)) {
                row = m_row;
                col = m_firstPending[static_cast<size_t>(m_row)];
                return true;
            }
        }
        return false;
    }

    // Moves the row's first pending column on past the cells that are no longer pending;
    // false (and the row finished) when none is left.
    bool Recompute(int row) {
        if (row < 0 || row >= m_cells.Height() || m_finished[static_cast<size_t>(row)])
            return false;
        int& col = m_firstPending[static_cast<size_t>(row)];
        while (col < m_cells.Width() && m_cells.Mask(row, col) <= 0)
            ++col;
        if (col < m_cells.Width())
            return true;
        m_finished[static_cast<size_t>(row)] = true;
        return false;
    }

private:
    PlanCells& m_cells;
    std::vector<int> m_firstPending;
    std::vector<bool> m_finished;
    int m_row = 0;
};

// What the planner does next: take the next seed, the next run start of the area, or a
// strike line in either direction.
struct Action {
    enum Kind { NextSeed, NextSegment, Forward, Backward } kind = NextSegment;
    int row = 0;
    int col = 0;
};

class Planner {
public:
    Planner(PictureMatrices& matrices, PassMode pass, Operator* op)
        : m_w(matrices.W), m_h(matrices.H), m_cells(matrices), m_pass(pass), m_op(op),
          m_seeds(m_cells), m_steps(m_cells) {}

    Result<PlanText> Run() {
        m_text.reserve(static_cast<size_t>(m_w + 16) * static_cast<size_t>(m_h + 2));
        int seedRow = 0;
        int seedCol = 0;
        while (m_error.isEmpty() && m_seeds.Next(seedRow, seedCol)) {
            ++m_result.areas;
            if (m_op) {
                m_op->ShowServiceValue(ServiceField::SeedRow, QString::number(seedRow));
                m_op->ShowServiceValue(ServiceField::SeedColumn, QString::number(seedCol));
                m_op->ProcessEvents();
            }
            m_box = TraceOutline(m_cells, seedRow, seedCol, m_steps);
            FillRuns(m_cells, m_box);
            TrimRuns(m_cells, m_box);
            WorkArea();
        }
        if (!m_error.isEmpty())
            return Outcome::Failed(m_error);
        m_result.text = QByteArray(m_text.data(), static_cast<qsizetype>(m_text.size()));
        m_result.struck = m_cells.TakeStruck();
        return std::move(m_result);
    }

private:
    void WorkArea() {
        m_segmentRow = m_box.top;
        m_segmentCol = m_box.left;
        const size_t rows = static_cast<size_t>(m_box.bottom - m_box.top + 1);
        m_leftmost.assign(rows, m_box.left);
        m_rightmost.assign(rows, m_box.right);
        Action action;
        while (m_error.isEmpty()) {
            switch (action.kind) {
            case Action::NextSeed:
                return;
            case Action::NextSegment:
                if (!FindSegment(action.row, action.col))
                    return;
                action.kind = Action::Forward;
                break;
            case Action::Forward: {
                const auto end = RunForward(action.row, action.col);
                action = end ? AfterForward(action.row, *end) : Action{};
                break;
            }
            case Action::Backward: {
                const auto end = RunBackward(action.row, action.col);
                action = end ? AfterBackward(action.row, *end) : Action{};
                break;
            }
            }
        }
    }

    // The first cell of the box in reading order with a mark (PlanMask 2 or more). Marks only
    // disappear while an area is worked, so the search goes on from where it last stopped.
    bool FindSegment(int& row, int& col) {
        for (; m_segmentRow <= m_box.bottom; ++m_segmentRow, m_segmentCol = m_box.left) {
            for (; m_segmentCol <= m_box.right; ++m_segmentCol) {
                if (m_cells.Mask(m_segmentRow, m_segmentCol) >= 2) {
                    row = m_segmentRow;
                    col = m_segmentCol;
                    return true;
                }
            }
        }
        return false;
    }

    // Leftmost / rightmost cell of a box row that is in the area, or -1.
    int LeftmostInArea(int row) {
        if (row < m_box.top || row > m_box.bottom)
            return -1;
        int& col = m_leftmost[static_cast<size_t>(row - m_box.top)];
        while (col <= m_box.right && !(m_cells.Mask(row, col) & InArea))
            ++col;
        return col <= m_box.right ? col : -1;
    }
    int RightmostInArea(int row) {
        if (row < m_box.top || row > m_box.bottom)
            return -1;
        int& col = m_rightmost[static_cast<size_t>(row - m_box.top)];
        while (col >= m_box.left && !(m_cells.Mask(row, col) & InArea))
            --col;
        return col >= m_box.left ? col : -1;
    }

    // A forward strike line from (row, col). Returns the column it ended at, or
    // nothing when it ran past the box's right edge first.
    std::optional<int> RunForward(int row, int col) {
        Move(row, col);
        Record(NeedleDownRecord());
        return Strike(row, col, +1, RunEnd);
    }

    // A backward strike line from (row, col), moving first to the column after it.
    std::optional<int> RunBackward(int row, int col) {
        Move(row, col + 1);
        return Strike(row, col, -1, RunStart);
    }

    std::optional<int> Strike(int row, int col, int step, qint32 endBit) {
        if (!m_error.isEmpty())
            return std::nullopt;
        BeginRecord();
        Append(StrikeRecord(step > 0, {}));
        for (int c = col;; c += step) {
            if (c < m_box.left || c > m_box.right) {
                // The area's box ends before the run did: the line ends at the box edge.
                m_text += PlanLineEnd;
                m_seeds.Recompute(row);
                return std::nullopt;
            }
            qint32& mask = m_cells.Mask(row, c);
            m_text += StrikeDigit(m_cells.Level(row, c));
            m_cells.Pass(row, c);
            const bool ends = (mask & endBit) && (mask & InArea);
            if (mask > 0)
                mask = 0;
            if (ends) {
                m_text += PlanLineEnd;
                return c;
            }
        }
    }

    // After a forward line: the next run in the same row, approached from the left; else the
    // next row, left to right again (one-sided) or turning back from its right end.
    Action AfterForward(int row, int end) {
        int col = LeftmostInArea(row);
        if (col >= 0) {
            const int d = col - end;
            Approach(row, d > NearRunStart ? col - ApproachMargin : end + d / 2);
            return {Action::Forward, row, col};
        }
        if (m_pass == PassMode::OneSided) {
            const int next = row + 1;
            col = LeftmostInArea(next);
            Record(NeedleUpRecord());
            if (col < 0)
                return {Action::NextSegment};
            const int d = col - end;
            const int far = std::abs(d) - NearRunStart;
            Move(next, far <= 0 ? end + d / 2 : end - far);
            Record(NeedleDownRecord());
            return {Action::Forward, next, col};
        }
        int next = row;
        do {
            col = RightmostInArea(++next);
        } while (col < 0 && next < m_box.bottom);
        if (col >= 0)
            return {Action::Backward, next, col};
        Record(NeedleUpRecord());
        return {Action::NextSeed};
    }

    // After a backward line: the next run in the same row, approached from the right; else
    // the next row, left to right.
    Action AfterBackward(int row, int end) {
        int col = RightmostInArea(row);
        if (col >= 0) {
            const int d = end - col;
            Approach(row, d > NearRunStart ? col + ApproachMargin : end - d / 2);
            return {Action::Backward, row, col};
        }
        int next = row;
        do {
            col = LeftmostInArea(++next);
        } while (col < 0 && next < m_box.bottom);
        if (col >= 0)
            return {Action::Forward, next, col};
        Record(NeedleUpRecord());
        return {Action::NextSeed};
    }

    // Needle up, a move in the same row to the approach column, needle down.
    void Approach(int row, int col) {
        Record(NeedleUpRecord());
        Move(row, col);
        Record(NeedleDownRecord());
    }

    void Move(int row, int col) {
        if (!m_error.isEmpty())
            return;
        const auto record = MoveRecord(row, col);
        if (!record) {
            m_error = TextCatalogue::BuiltIn(TextKey::PlanPictureTooLarge)
                          .arg(m_w)
                          .arg(m_h)
                          .arg(FitsMoveField(row) ? col : row);
            return;
        }
        Record(*record);
    }

    // The plan starts with an empty line; every record is a line of its own.
    void BeginRecord() {
        if (m_text.empty())
            m_text += PlanLineEnd;
    }
    void Record(const QByteArray& record) {
        if (!m_error.isEmpty())
            return;
        BeginRecord();
        Append(record);
        m_text += PlanLineEnd;
    }
    void Append(const QByteArray& bytes) { m_text.append(bytes.constData(), bytes.size()); }

    int m_w;
    int m_h;
    PlanCells m_cells;
    PassMode m_pass;
    Operator* m_op;
    SeedSearch m_seeds;
    TraceSteps m_steps;
    PlanText m_result;
    QString m_error;    // why the plan cannot be made; the planner stops at the first
    std::string m_text; // the plan as it grows; appending here stays cheap for every digit
    AreaBox m_box;
    int m_segmentRow = 0;
    int m_segmentCol = 0;
    std::vector<int> m_leftmost;  // per box row: no cell left of it is in the area
    std::vector<int> m_rightmost; // per box row: no cell right of it is in the area
};

// PlanMask := 1 where DotMap is not zero over rows 0..H+1 and columns 0..W+1, 0 elsewhere.
void MarkPending(PictureMatrices& m) {
    m.PlanMask.Resize(m.H + 5, m.W + 5);
    m.PlanMask.Fill(0);
    for (int r = 0; r <= m.H + 1; ++r) {
        const qint32* dots = m.DotMap.Row(r);
        qint32* mask = m.PlanMask.Row(r);
        for (int c = 0; c <= m.W + 1; ++c)
            mask[c] = dots[c] != 0 ? Pending : 0;
    }
}

} // namespace

Outcome CheckPlanInput(const PictureMatrices& m) {
    if (m.W <= 0 || m.H <= 0)
        return Outcome::Failed(NoPictureToPlan());
    const auto fits = [&m](int rows, int cols) { return rows >= m.H + 4 && cols >= m.W + 4; };
    if (!fits(m.DotMap.Rows(), m.DotMap.Cols()) || !fits(m.DotLevels.Rows(), m.DotLevels.Cols()))
        return Outcome::Failed(
            TextCatalogue::BuiltIn(TextKey::PlanMatricesTooSmall).arg(m.W).arg(m.H));
    return Outcome::Done();
}

void MarkStruckDots(PictureMatrices& matrices, const PlanText& plan) {
    const int cols = matrices.W + 2;
    for (size_t i = 0; i < plan.struck.size(); ++i) {
        if (plan.struck[i])
            matrices.DotLevels.At(static_cast<int>(i / cols), static_cast<int>(i % cols) + 1) =
                -1.0;
    }
}

Result<PlanText> BuildPlanText(PictureMatrices& matrices, PassMode pass, Operator* op) {
    if (Outcome input = CheckPlanInput(matrices); !input)
        return input;
    MarkPending(matrices);
    return Planner(matrices, pass, op).Run();
}

} // namespace zeb
