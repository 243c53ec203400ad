#pragma once
// BuildPlan: turns the dot image into the plan file, one connected area of dots after
// another, row by row, with strike lines in both directions (two-sided) or left to right
// only (one-sided).
//
// What a plan guarantees, whatever the picture: every dot whose picture pixel is not black
// and whose level is above 0 is struck exactly once with its own digit; no cell is struck
// twice (a run that crosses a dot struck before writes "0" for it, so every later digit keeps
// its column); every strike line starts from a move to its first column; nothing is read or
// written outside the matrices.

#include "link/operator.h"
#include "link/outcome.h"
#include "picture/matrices.h"
#include "text/text_catalogue.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace zeb {

// The quality choice: "Высокое (односторонний проход)" strikes every row left to right,
// "Стандарт (двухсторонний проход)" alternates directions row by row.
enum class PassMode { OneSided, TwoSided };

struct PlanText {
    QByteArray text; // the plan file, byte for byte
    int areas = 0;   // seeds worked
    // Cells whose dot the plan strikes, row by row over W + 2 columns (see MarkStruckDots).
    std::vector<std::uint8_t> struck;
};

// The job start's refusal when no picture is open.
inline QString NoPictureToPlan() {
    return TextCatalogue::BuiltIn(TextKey::PlanNoPicture);
}

// Refused, saying why, when the matrices cannot be planned: no picture, or matrices smaller
// than W x H needs.
Outcome CheckPlanInput(const PictureMatrices& matrices);

// Plans the dot image of `matrices` (DotMap, DotLevels and W x H), rebuilding PlanMask; the
// dot image itself is not changed. `op`, when given, shows each seed's row and column in
// label66 / label67 and may repaint once per seed. Refused, saying why, when the matrices
// cannot be planned or a move of the picture does not fit the plan's fields.
Result<PlanText> BuildPlanText(PictureMatrices& matrices, PassMode pass, Operator* op);

// Overwrites the level of every dot the plan strikes with -1, so a later plan of the same
// dot image strikes nothing twice.
void MarkStruckDots(PictureMatrices& matrices, const PlanText& plan);

// What the planning step of a job start wrote.
struct PlanFiles {
    qint64 planBytes = 0;
    qint64 dumpBytes = 0;
    int areas = 0;
};

// Writes a plan text to `path`, replacing the file only once the text is completely on disk;
// else the message naming the file.
Outcome WritePlanFile(const QByteArray& text, const QString& path);

// The whole planning step of a job start: writes the dump "123Bm.txt", then the plan
// "123123123.txt" in `startDirectory`, then marks the struck dots (MarkStruckDots). The plan
// file is replaced only by a complete plan: on any error the previous one stays as it was, the
// dot image is unchanged, and the message says why.
Result<PlanFiles> BuildPlan(PictureMatrices& matrices, const QString& startDirectory, PassMode pass,
                            Operator& op);

} // namespace zeb
