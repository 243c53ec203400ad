#pragma once
// Replays a plan text over the dot image it was made from and checks what every plan must
// hold: each dot whose pixel is not black and whose level is above 0 struck exactly once with
// its own digit, no cell struck twice, every strike line preceded by a move, and the line
// layout (empty first line, CR LF everywhere, no other empty line).

#include "job/plan_format.h"
#include "picture/matrices.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <map>
#include <utility>

namespace zeb::testing {

struct Replay {
    QStringList problems; // empty when the plan keeps every promise
    int strikes = 0;
    int crossedStruck = 0; // "0" digits written over a dot struck earlier in the plan
    int strikeLines = 0;
};

inline char ExpectedDigit(double level) {
    if (level == 255)
        return '4';
    if (level == 192)
        return '3';
    if (level == 128)
        return '2';
    if (level == 64)
        return '1';
    return '0';
}

// `before` must be a copy of the matrices taken before planning (the planner marks levels).
inline Replay ReplayPlan(const QByteArray& plan, const PictureMatrices& before) {
    Replay replay;
    const int h = before.H;
    const int w = before.W;
    auto problem = [&replay](const QString& text) {
        if (replay.problems.size() < 20)
            replay.problems << text;
    };
    if (!plan.isEmpty() && !plan.startsWith("\r\n"))
        problem("the plan does not start with an empty line");
    if (!plan.isEmpty() && !plan.endsWith("\r\n"))
        problem("the plan does not end with CR LF");
    QList<QByteArray> lines = plan.split('\n');
    if (!lines.isEmpty())
        lines.removeLast(); // after the last line end
    std::map<std::pair<int, int>, char> struck;
    bool moved = false;
    int row = 0;
    int col = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (!line.endsWith('\r')) {
            problem(QString("line %1 does not end with CR LF").arg(i + 1));
            continue;
        }
        line.chop(1);
        if (line.isEmpty() && i > 0)
            problem(QString("line %1 is empty").arg(i + 1));
        const ParsedPlanLine parsed = ParsePlanLine(line);
        if (!parsed.error.isEmpty())
            problem(QString("line %1: %2").arg(i + 1).arg(parsed.error));
        const PlanRecord& record = parsed.record;
        if (record.kind == PlanRecordKind::Move) {
            row = record.row;
            col = record.column;
            moved = true;
            continue;
        }
        if (record.kind != PlanRecordKind::Forward && record.kind != PlanRecordKind::Backward)
            continue;
        ++replay.strikeLines;
        if (!moved)
            problem(QString("line %1: a strike line without a move before it").arg(i + 1));
        moved = false;
        const bool forward = record.kind == PlanRecordKind::Forward;
        for (int d = 0; d < record.digits.size(); ++d) {
            const int c = forward ? col + d : col - 1 - d;
            const char digit = record.digits[d];
            const bool inside = row >= 0 && c >= 0 && row <= h + 1 && c <= w + 1;
            if (!inside) {
                problem(QString("line %1: digit %2 at (%3, %4) is outside the picture")
                            .arg(i + 1)
                            .arg(d + 1)
                            .arg(row)
                            .arg(c));
                continue;
            }
            const double level = before.DotLevels.At(row, c + 1);
            const auto key = std::make_pair(row, c);
            const bool already = struck.count(key) > 0;
            if (digit == '0') {
                if (already)
                    ++replay.crossedStruck;
                else if (ExpectedDigit(level) != '0')
                    problem(QString("line %1: dot (%2, %3) of level %4 passed with \"0\"")
                                .arg(i + 1)
                                .arg(row)
                                .arg(c)
                                .arg(level));
                continue;
            }
            if (already)
                problem(QString("line %1: dot (%2, %3) struck twice").arg(i + 1).arg(row).arg(c));
            else if (digit != ExpectedDigit(level))
                problem(QString("line %1: dot (%2, %3) of level %4 struck with \"%5\"")
                            .arg(i + 1)
                            .arg(row)
                            .arg(c)
                            .arg(level)
                            .arg(digit));
            struck[key] = digit;
            ++replay.strikes;
        }
    }
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const bool wanted =
                before.DotMap.At(r, c) != 0 && ExpectedDigit(before.DotLevels.At(r, c + 1)) != '0';
            if (wanted && struck.count({r, c}) == 0)
                problem(QString("dot (%1, %2) never struck").arg(r).arg(c));
        }
    }
    return replay;
}

} // namespace zeb::testing
