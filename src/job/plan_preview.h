#pragma once
// What a job strikes, read from its plan the way the machine carries it out: every strike line
// with the field dots it strikes, in order; the head's path between them; the dots per level and
// pass; and the estimate's clock at every line, so a replay shows where the hours go. The
// preview window draws it, and zeb-cli preview writes its picture, framed and toned as zeb-sim
// draws its workpiece (picture/strike_picture.h), so the two can be compared.
//
// Positions are field positions: the plan's picture coordinates plus the picture's offsets. A
// forward line strikes its digit i (from 0) at the head's column + i and leaves the head after
// its last digit; a backward line strikes digit i at the head's column - 1 - i.

#include "job/estimate.h"
#include "link/outcome.h"
#include "picture/strike_picture.h"
#include "text/text_catalogue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

namespace zeb {

struct HeadPoint {
    int row = 0;    // field row
    int column = 0; // field column
    bool operator==(const HeadPoint&) const = default;
};

// One strike line as the machine strikes it. Lines of only "0"s send nothing and are left out.
struct PreviewLine {
    int pass = 1;            // 1 or 2
    int row = 0;             // field row
    int column = 0;          // the head's field column when the line begins
    bool forward = true;     // "Knock" (left to right) or "KBack" (right to left)
    QByteArray digits;       // the digits sent, '0' where the head passes without a strike
    std::size_t pathEnd = 0; // index in JobPreview::path of the head after this line
    qint64 doneUnits = 0;    // the estimate's T (10 us) from the job's start to this line's end

    // The field column of digit i.
    int Column(int i) const { return forward ? column + i : column - 1 - i; }
};

struct PassPreview {
    std::array<qint64, 5> dots{}; // dots struck per strike digit 1..4 (index 0 unused)
    int strikeLines = 0;
    qint64 units = 0; // the estimate's T of this pass, 10 us
};

struct JobPreview {
    std::vector<PreviewLine> lines; // in the order struck, the first pass's lines first
    // The head's positions in order: each pass starts at 0, 0 (the reset before it), then the
    // target of every move and the end of every strike line. The head travels in straight
    // lines from one to the next.
    std::vector<HeadPoint> path;
    std::vector<PassPreview> passes; // one, or two for a double pass
    qint64 offField = 0;             // struck dots at a negative field row or column
    StrikeFrame frame;               // what the picture of the struck dots spans
    qint64 units = 0;                // the estimated duration of the whole job, 10 us
};

// Walks `plan` once per entry of `passes`: one, or two for a double pass (whose second pass
// runs a copy of the same plan). Each entry holds that pass's estimate inputs: the picture's
// offsets, the motor values, the link time and the column times of its forces
// (doublePassPending is not looked at). `name` names the plan in the message of a bad line,
// which refuses the whole preview.
Result<JobPreview> PreviewPlan(QByteArrayView plan, const std::vector<EstimateInputs>& passes,
                               const QString& name,
                               const TextCatalogue& texts = TextCatalogue::BuiltInCatalogue());

// The picture of every dot the job strikes; null when the frame is too large to hold.
QImage PreviewPicture(const JobPreview& preview);

// Draws lines [first, last) of the preview into a picture made by NewStrikePicture for its
// frame: a replay draws up to the line its slider stands at.
void DrawPreviewLines(QImage& picture, const JobPreview& preview, std::size_t first,
                      std::size_t last);

} // namespace zeb
