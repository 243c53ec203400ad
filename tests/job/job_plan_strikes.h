#pragma once
// What a plan asks the machine to strike, read with the plan's own line parser, and the
// comparison with what the virtual controller struck: every planned dot once, with its
// digit and the force of its pass, nothing else. Used by the in-process job tests and by the
// end-to-end tests against zeb-sim.

#include "job/plan_format.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace zeb::testing {

using Dot = std::pair<int, int>; // field row, field column

// Field dot -> strike digit 1..4 of every non-"0" digit of the plan's strike lines.
inline std::map<Dot, int> PlannedDots(const QByteArray& plan, int offsetX, int offsetY) {
    std::map<Dot, int> dots;
    int row = 0;
    int column = 0;
    for (QByteArray line : plan.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const PlanRecord record = ParsePlanLine(line).record;
        if (record.kind == PlanRecordKind::Move) {
            row = record.row + offsetY;
            column = record.column + offsetX;
            continue;
        }
        if (record.kind != PlanRecordKind::Forward && record.kind != PlanRecordKind::Backward)
            continue;
        const bool forward = record.kind == PlanRecordKind::Forward;
        for (int i = 0; i < record.digits.size(); ++i) {
            if (record.digits[i] != '0')
                dots[{row, forward ? column + i : column - 1 - i}] = record.digits[i] - '0';
        }
    }
    return dots;
}

struct StruckDot {
    int row = 0;
    int column = 0;
    int profile = 0;
    int force = 0;
};

// Problems found comparing one pass's strikes with its plan; `forces` by profile 1..4.
inline QStringList CompareStrikes(const std::map<Dot, int>& planned,
                                  const std::vector<StruckDot>& struck,
                                  const std::array<int, 5>& forces) {
    QStringList problems;
    auto note = [&problems](const QString& text) {
        if (problems.size() < 12)
            problems << text;
    };
    std::map<Dot, int> seen;
    for (const StruckDot& dot : struck) {
        const Dot key{dot.row, dot.column};
        if (++seen[key] == 2)
            note(QStringLiteral("(%1, %2) struck twice").arg(dot.row).arg(dot.column));
        const auto it = planned.find(key);
        if (it == planned.end()) {
            note(QStringLiteral("(%1, %2) struck, not planned").arg(dot.row).arg(dot.column));
            continue;
        }
        if (dot.profile != it->second)
            note(QStringLiteral("(%1, %2) struck with profile %3, planned %4")
                     .arg(dot.row)
                     .arg(dot.column)
                     .arg(dot.profile)
                     .arg(it->second));
        else if (dot.force != forces[static_cast<size_t>(dot.profile)])
            note(QStringLiteral("(%1, %2) struck with force %3, the pass has %4")
                     .arg(dot.row)
                     .arg(dot.column)
                     .arg(dot.force)
                     .arg(forces[static_cast<size_t>(dot.profile)]));
    }
    for (const auto& [key, digit] : planned) {
        if (seen.count(key) == 0)
            note(QStringLiteral("(%1, %2) planned with %3, never struck")
                     .arg(key.first)
                     .arg(key.second)
                     .arg(digit));
    }
    if (problems.size() == 12)
        problems << QStringLiteral("...");
    return problems;
}

} // namespace zeb::testing
