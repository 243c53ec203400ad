#pragma once
// Where an interrupted plan resumes: the plan's lines, the head position the controller saved
// and what the progress record says, in; the remaining plan that recovery writes as "1.txt",
// out. Pure: the files are recovery's business.

#include "job/plan_reader.h"
#include "link/device.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace zeb {

// What the controller can report: rows and columns in 16 bits, rows as two steps each.
inline constexpr int ReportableRows = 32768;
inline constexpr int ReportableColumns = 65536;

enum class CutKind {
    Whole,      // nothing of the plan was done: it runs again as it is
    Cut,        // the remaining plan is `text`
    NotFound,   // the saved position lies on no part of the plan where the job can have stopped
    OutOfRange, // a position of the plan lies where the controller cannot report it
};

struct PlanCut {
    CutKind kind = CutKind::NotFound;
    // Cut: "GoTo: " back to the start of the strike line that resumes, "Down: ", that line with
    // its struck digits turned into "0", then every later line unchanged; empty when no strike
    // line is left.
    QByteArray text;
    int resumeLine = 0;   // file line number of the strike line resumed (0: none)
    int digitsPassed = 0; // digits of that line turned into "0"
    int badLine = 0;      // OutOfRange: the first line that reaches outside
};

// The progress record's word on this plan.
struct PlanProgress {
    int line = 0;       // the plan line sent last; 0: none yet
    bool begun = false; // the print job of this plan was opened on the machine
};

// Cuts `lines` (a whole plan as ReadPlan gives it) at the saved head position, in field
// coordinates; the plan's picture coordinates get the offsets added (in 64 bits: no offset
// can overflow). Every position the head takes must lie in 0..ReportableRows-1 and
// 0..ReportableColumns-1, else nothing is cut (OutOfRange).
//
// With `progress`, the machine's position decides and the record only narrows: the head's
// planned path from the recorded line on is walked piece by piece (from the end of the strike
// line before it when the record names a move, a needle line or line 0), and the first piece
// that passes over the position decides. A strike line resumes at the position on it, its
// struck digits turned into "0"; the approach between two strike lines (the moves from the end
// of one, or from home at the start of the plan, to the start of the next, a move to a lower
// row four rows beyond its target and back) resumes at the next strike line, whole. No piece:
// NotFound. A plan whose print job was never opened runs again whole: the position then
// belongs to an earlier job.
//
// Without a record every line is scanned from the first: on the saved row each digit of a
// strike line moves the column one on (forward) or back (backward) and the scan stops when
// it reaches the saved column; it also stops after any line that leaves the head at the
// saved position, and then resumes at the next strike line, whole. A scan that reaches the
// end of the plan finds nothing.
PlanCut CutPlan(const std::vector<PlanLine>& lines, HeadPosition saved, int offsetX, int offsetY,
                std::optional<PlanProgress> progress);

} // namespace zeb
