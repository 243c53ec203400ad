#pragma once
// Seeded random faults of the virtual controller, parsed from a spec such as
// "drop-rx=0.01,corrupt-tx=0.005,stop-mid-line=3" with a seed. The names and what their
// values mean are listed by FaultHelp() for zeb-sim --help.

#include <QString>
#include <QStringList>

#include <optional>

namespace zeb::sim {

struct FaultPlan {
    double dropRx = 0;           // probability that a host byte is lost
    double dropTx = 0;           // probability that a controller byte is lost
    double corruptRx = 0;        // probability that a host byte arrives changed
    double corruptTx = 0;        // probability that a controller byte arrives changed
    double delayTx = 0;          // probability that a controller byte comes 200..900 ms late
    int silentAfter = -1;        // go silent after this many accepted frames (-1: never)
    bool silentX = false;        // X motor driver never answers
    bool silentY = false;        // Y motor driver never answers
    bool garbageInquiry = false; // inquiries answered with junk
    int stopMidLine = -1;        // go silent inside strike line number N (1-based; -1: never)
    int mismatchAfterLine = -1;  // counters shifted after strike line N (-1: never)
    quint32 seed = 1;

    bool Any() const;
};

// Parses "name=value,name,..."; an unknown name or a bad value gives an error text.
std::optional<FaultPlan> ParseFaultPlan(const QString& spec, quint32 seed, QString* error);
// One line per fault name with what its value means, for zeb-sim --help.
QString FaultHelp();

} // namespace zeb::sim
