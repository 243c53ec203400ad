#include "job/plan_cut.h"

#include "job/plan_format.h"

#include <algorithm>
#include <cstdlib>

namespace zeb {

namespace {

// A move to a lower row goes this many rows beyond its target and comes back up.
constexpr qint64 LowerRowOvershoot = 4;

// A strike line that makes the head move: execution drops its trailing "0"s.
qint64 StruckLength(const PlanLine& line) {
    const PlanRecordKind kind = line.record.kind;
    if (kind != PlanRecordKind::Forward && kind != PlanRecordKind::Backward)
        return 0;
    return StruckDigits(line.record.digits).size();
}

bool Strikes(const PlanLine& line) {
    return StruckLength(line) > 0;
}

struct Point {
    qint64 row = 0;
    qint64 column = 0;
};

// The head as execution moves it, in field coordinates: moves set it, strike lines carry it
// over their struck digits.
struct Head {
    Point at;

    void Follow(const PlanLine& line, qint64 offsetX, qint64 offsetY) {
        const PlanRecord& r = line.record;
        if (r.kind == PlanRecordKind::Move)
            at = {r.row + offsetY, r.column + offsetX};
        else if (r.kind == PlanRecordKind::Forward)
            at.column += StruckLength(line);
        else if (r.kind == PlanRecordKind::Backward)
            at.column -= StruckLength(line);
    }
};

struct Context {
    const std::vector<PlanLine>& lines;
    qint64 offsetX;
    qint64 offsetY;
};

bool Reportable(Point p) {
    return p.row >= 0 && p.row < ReportableRows && p.column >= 0 && p.column < ReportableColumns;
}

// The first line at which the head would leave what the controller can report; 0: none.
int FirstUnreportableLine(const Context& ctx) {
    Head head;
    for (const PlanLine& line : ctx.lines) {
        head.Follow(line, ctx.offsetX, ctx.offsetY);
        if (!Reportable(head.at))
            return line.number;
    }
    return 0;
}

// One straight stretch of the head's path, both ends included.
struct Stretch {
    Point from;
    Point to;

    bool Holds(HeadPosition saved) const {
        // Below row 0 (a move's overshoot near the top) the controller's 16-bit count wraps.
        for (qint64 row : {qint64(saved.row), qint64(saved.row) - ReportableRows}) {
            if (row >= std::min(from.row, to.row) && row <= std::max(from.row, to.row) &&
                saved.column >= std::min(from.column, to.column) &&
                saved.column <= std::max(from.column, to.column))
                return true;
        }
        return false;
    }
};

// The stretches of one move, in the order the motors run them: the rows first (a lower row
// overshot and approached from below), then the columns.
bool MovePasses(Point from, Point to, HeadPosition saved) {
    const qint64 turn = to.row < from.row ? to.row - LowerRowOvershoot : to.row;
    return Stretch{from, {turn, from.column}}.Holds(saved) ||
           Stretch{{turn, from.column}, {to.row, from.column}}.Holds(saved) ||
           Stretch{{to.row, from.column}, to}.Holds(saved);
}

// The remaining plan from strike line `index` (the head at `start` before it), with its first
// `passed` digits turned into "0".
PlanCut CutAt(const Context& ctx, size_t index, Point start, int passed) {
    const PlanLine& line = ctx.lines[index];
    const std::optional<QByteArray> move = MoveRecord(static_cast<int>(start.row - ctx.offsetY),
                                                      static_cast<int>(start.column - ctx.offsetX));
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

// The plan from strike line `index` whole, or nothing left when `index` is past the end.
PlanCut ResumeWhole(const Context& ctx, size_t index, Point start) {
    if (index < ctx.lines.size())
        return CutAt(ctx, index, start, 0);
    PlanCut cut;
    cut.kind = CutKind::Cut;
    return cut;
}

// The walk of the head's planned path from the line the record names (see CutPlan).
PlanCut WalkFromRecord(const Context& ctx, int recordLine, HeadPosition saved) {
    const size_t count = ctx.lines.size();
    // The walk begins with the piece that holds the recorded line: that strike line, or the
    // approach from the end of the strike line before it (home before the first).
    Head head;
    size_t begin = 0;
    Point beginAt;
    size_t i = 0;
    for (; i < count && ctx.lines[i].number < recordLine; ++i) {
        head.Follow(ctx.lines[i], ctx.offsetX, ctx.offsetY);
        if (Strikes(ctx.lines[i])) {
            begin = i + 1;
            beginAt = head.at;
        }
    }
    if (recordLine > 0 && (i == count || ctx.lines[i].number != recordLine))
        return {};
    if (recordLine > 0 && Strikes(ctx.lines[i])) {
        begin = i;
        beginAt = head.at;
    }
    head.at = beginAt;
    for (i = begin; i < count;) {
        const Point start = head.at;
        if (Strikes(ctx.lines[i])) {
            head.Follow(ctx.lines[i], ctx.offsetX, ctx.offsetY);
            if (Stretch{start, head.at}.Holds(saved))
                return CutAt(ctx, i, start,
                             static_cast<int>(std::abs(saved.column - start.column)));
            ++i;
            continue;
        }
        bool passes = Stretch{start, start}.Holds(saved);
        for (; i < count && !Strikes(ctx.lines[i]); ++i) {
            const Point from = head.at;
            head.Follow(ctx.lines[i], ctx.offsetX, ctx.offsetY);
            if (ctx.lines[i].record.kind == PlanRecordKind::Move)
                passes = passes || MovePasses(from, head.at, saved);
        }
        if (passes)
            return ResumeWhole(ctx, i, head.at);
    }
    return {};
}

PlanCut ScanWhole(const Context& ctx, HeadPosition saved) {
    // The scan's own head: on rows other than the saved one a strike line leaves it where the
    // move put it, as the scan has always counted, and every digit counts, "0"s included.
    qint64 r = 0;
    qint64 c = 0;
    Head head;
    for (size_t i = 0; i < ctx.lines.size(); ++i) {
        const PlanLine& line = ctx.lines[i];
        const PlanRecord& record = line.record;
        const Point before = head.at;
        if (record.kind == PlanRecordKind::Move) {
            r = record.row + ctx.offsetY;
            c = record.column + ctx.offsetX;
        } else if ((record.kind == PlanRecordKind::Forward ||
                    record.kind == PlanRecordKind::Backward) &&
                   r == saved.row) {
            const int step = record.kind == PlanRecordKind::Forward ? 1 : -1;
            for (int d = 0; d < record.digits.size(); ++d) {
                c += step;
                if (c == saved.column)
                    return CutAt(ctx, i, before, d + 1);
            }
        }
        head.Follow(line, ctx.offsetX, ctx.offsetY);
        if (r == saved.row && c == saved.column) {
            size_t next = i + 1;
            for (; next < ctx.lines.size() && !Strikes(ctx.lines[next]); ++next)
                head.Follow(ctx.lines[next], ctx.offsetX, ctx.offsetY);
            return ResumeWhole(ctx, next, head.at);
        }
    }
    return {};
}

} // namespace

PlanCut CutPlan(const std::vector<PlanLine>& lines, HeadPosition saved, int offsetX, int offsetY,
                std::optional<PlanProgress> progress) {
    const Context ctx{lines, offsetX, offsetY};
    if (const int bad = FirstUnreportableLine(ctx)) {
        PlanCut cut;
        cut.kind = CutKind::OutOfRange;
        cut.badLine = bad;
        return cut;
    }
    if (progress && !progress->begun && progress->line == 0) {
        PlanCut whole;
        whole.kind = CutKind::Whole;
        return whole;
    }
    if (progress)
        return WalkFromRecord(ctx, progress->line, saved);
    return ScanWhole(ctx, saved);
}

} // namespace zeb
