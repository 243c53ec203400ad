#pragma once
// Where an interrupted plan resumes: the scan of recovery over the plan's lines for the head
// position the controller saved, and the remaining plan that recovery writes as "1.txt".
// Pure: lines in, text out; the files are recovery's business.

#include "job/plan_reader.h"
#include "link/device.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace zeb {

enum class CutKind {
    Whole,    // nothing of the plan was sent: it runs again as it is
    Cut,      // the remaining plan is `text`
    NotFound, // the saved position lies on no line where the job can have stopped
};

struct PlanCut {
    CutKind kind = CutKind::NotFound;
    // Cut: "GoTo: " back to the start of the interrupted strike line, "Down: ", that line with
    // its passed digits turned into "0", then every later line unchanged; empty when no strike
    // line is left.
    QByteArray text;
    int resumeLine = 0;   // file line number of the strike line resumed (0: none left)
    int digitsPassed = 0; // digits of that line turned into "0"
};

// Cuts `lines` (a whole plan as ReadPlan gives it) at the saved head position, in field
// coordinates; the plan's picture coordinates get the offsets added.
//
// `inFlight` is the progress record's line when the record belongs to this plan: 0 when no
// line of it was sent, else the line that was sent last. That line is where the job stopped:
// a strike line resumes at the saved position, which must lie on it (from its start to its
// end); any other line resumes at the next strike line, whole.
//
// Without a record every line is scanned from the first: on the saved row each digit of a
// strike line moves the column one on (forward) or back (backward) and the scan stops when
// it reaches the saved column; it also stops after any line that leaves the head at the
// saved position, and then resumes at the next strike line, whole. A scan that reaches the
// end of the plan finds nothing.
PlanCut CutPlan(const std::vector<PlanLine>& lines, HeadPosition saved, int offsetX, int offsetY,
                std::optional<int> inFlight);

} // namespace zeb
