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
        const Result<PlanRecord> parsed = ParsePlanLine(line);
        const PlanRecord record = parsed ? *parsed : PlanRecord{};
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
    auto note = [&problems](const Dot& at, const QString& text) {
        if (problems.size() < 12)
            problems << QStringLiteral("(%1, %2) ").arg(at.first).arg(at.second) + text;
    };
    std::map<Dot, int> seen;
    for (const StruckDot& dot : struck) {
        const Dot key{dot.row, dot.column};
        const auto it = planned.find(key);
        if (++seen[key] == 2)
            note(key, QStringLiteral("struck twice"));
        if (it == planned.end())
            note(key, QStringLiteral("struck, not planned"));
        else if (dot.profile != it->second)
            note(key, QStringLiteral("struck with profile %1, planned %2")
                          .arg(dot.profile)
                          .arg(it->second));
        else if (const int force = forces[static_cast<size_t>(dot.profile)]; dot.force != force)
            note(key,
                 QStringLiteral("struck with force %1, the pass has %2").arg(dot.force).arg(force));
    }
    for (const auto& [key, digit] : planned) {
        if (seen.count(key) == 0)
            note(key, QStringLiteral("planned with %1, never struck").arg(digit));
    }
    return problems;
}

} // namespace zeb::testing
