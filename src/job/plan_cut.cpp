#include "job/plan_cut.h"

#include "job/plan_format.h"

namespace zeb {

namespace {

bool IsStrike(const PlanLine& line) {
    return line.record.kind == PlanRecordKind::Forward ||
           line.record.kind == PlanRecordKind::Backward;
}

// The head as the plan moves it, in field coordinates: moves set it, strike lines carry it
// over every digit.
struct Head {
    int row = 0;
    int column = 0;

    void Follow(const PlanLine& line, int offsetX, int offsetY) {
        const PlanRecord& r = line.record;
        if (r.kind == PlanRecordKind::Move) {
            row = r.row + offsetY;
            column = r.column + offsetX;
        } else if (r.kind == PlanRecordKind::Forward) {
            column += static_cast<int>(r.digits.size());
        } else if (r.kind == PlanRecordKind::Backward) {
            column -= static_cast<int>(r.digits.size());
        }
    }
};

struct Context {
    const std::vector<PlanLine>& lines;
    int offsetX;
    int offsetY;
};

// The remaining plan from strike line `index` (the head at `start` before it), with its first
// `passed` digits turned into "0".
PlanCut CutAt(const Context& ctx, size_t index, Head start, int passed) {
    const PlanLine& line = ctx.lines[index];
    const std::optional<QByteArray> move =
        MoveRecord(start.row - ctx.offsetY, start.column - ctx.offsetX);
    if (!move)
        return {};
    QByteArray digits = line.record.digits;
    for (int i = 0; i < passed && i < digits.size(); ++i)
        digits[i] = '0';
    PlanCut cut;
    cut.kind = CutKind::Cut;
    cut.resumeLine = line.number;
    cut.digitsPassed = passed;
    cut.text = *move + PlanLineEnd + NeedleDownRecord() + PlanLineEnd +
               StrikeRecord(line.record.kind == PlanRecordKind::Forward, digits) + PlanLineEnd;
    for (size_t i = index + 1; i < ctx.lines.size(); ++i)
        cut.text += ctx.lines[i].text + PlanLineEnd;
    return cut;
}

// Nothing of the lines after `index` was done: the plan resumes at the next strike line,
// whole; with none left the remaining plan is empty.
PlanCut ResumeAfter(const Context& ctx, size_t index, Head head) {
    for (size_t i = index + 1; i < ctx.lines.size(); ++i) {
        if (IsStrike(ctx.lines[i]))
            return CutAt(ctx, i, head, 0);
        head.Follow(ctx.lines[i], ctx.offsetX, ctx.offsetY);
    }
    PlanCut cut;
    cut.kind = CutKind::Cut;
    return cut;
}

// The plan line that was sent last: a strike line resumes at the saved position on it; any
// other line sent nothing that strikes.
PlanCut CutInFlight(const Context& ctx, int lineNumber, HeadPosition saved) {
    Head head;
    for (size_t i = 0; i < ctx.lines.size(); ++i) {
        const PlanLine& line = ctx.lines[i];
        if (line.number != lineNumber) {
            head.Follow(line, ctx.offsetX, ctx.offsetY);
            continue;
        }
        if (!IsStrike(line)) {
            head.Follow(line, ctx.offsetX, ctx.offsetY);
            return ResumeAfter(ctx, i, head);
        }
        const int step = line.record.kind == PlanRecordKind::Forward ? 1 : -1;
        const int length = static_cast<int>(line.record.digits.size());
        if (saved.row != head.row)
            return {};
        const int passed = (saved.column - head.column) * step;
        if (passed < 0 || passed > length)
            return {};
        return CutAt(ctx, i, head, passed);
    }
    return {};
}

PlanCut ScanWhole(const Context& ctx, HeadPosition saved) {
    // The scan's own head: on rows other than the saved one a strike line leaves it where the
    // move put it, as the scan has always counted.
    int r = 0;
    int c = 0;
    Head head;
    for (size_t i = 0; i < ctx.lines.size(); ++i) {
        const PlanLine& line = ctx.lines[i];
        const PlanRecord& record = line.record;
        if (record.kind == PlanRecordKind::Move) {
            r = record.row + ctx.offsetY;
            c = record.column + ctx.offsetX;
        } else if (IsStrike(line) && r == saved.row) {
            const int step = record.kind == PlanRecordKind::Forward ? 1 : -1;
            const Head start = head;
            for (int d = 0; d < record.digits.size(); ++d) {
                c += step;
                if (c == saved.column)
                    return CutAt(ctx, i, start, d + 1);
            }
        }
        head.Follow(line, ctx.offsetX, ctx.offsetY);
        if (r == saved.row && c == saved.column)
            return ResumeAfter(ctx, i, head);
    }
    return {};
}

} // namespace

PlanCut CutPlan(const std::vector<PlanLine>& lines, HeadPosition saved, int offsetX, int offsetY,
                std::optional<int> inFlight) {
    const Context ctx{lines, offsetX, offsetY};
    if (inFlight && *inFlight == 0) {
        PlanCut whole;
        whole.kind = CutKind::Whole;
        return whole;
    }
    if (inFlight)
        return CutInFlight(ctx, *inFlight, saved);
    return ScanWhole(ctx, saved);
}

} // namespace zeb
