#include "job/plan_preview.h"

#include "job/plan_text_reader.h"

#include <algorithm>

namespace zeb {

namespace {

// One pass over the plan, appending to `preview`. Refused at a bad line, naming it.
Outcome WalkPass(PlanTextReader& reader, const EstimateInputs& in, int pass, JobPreview& preview) {
    DurationCounter clock(in);
    PassPreview counts;
    const qint64 startUnits = preview.units;
    HeadPoint head; // the reset before every pass homes the head
    preview.path.push_back(head);
    const Outcome walked = ForEachPlanLine(reader, [&](const PlanLine& line) {
        const PlanRecord& record = line.record;
        clock.Add(record);
        if (record.kind == PlanRecordKind::Move) {
            head = {record.row + in.pictureOffsetY, record.column + in.pictureOffsetX};
            preview.path.push_back(head);
            return;
        }
        if (record.kind != PlanRecordKind::Forward && record.kind != PlanRecordKind::Backward)
            return;
        const QByteArrayView digits = StruckDigits(record.digits);
        if (digits.isEmpty())
            return;
        PreviewLine strike{pass, head.row, head.column, record.kind == PlanRecordKind::Forward,
                           digits.toByteArray()};
        for (int i = 0; i < static_cast<int>(digits.size()); ++i) {
            const int digit = digits[i] - '0';
            if (digit == 0)
                continue;
            const int column = strike.Column(i);
            ++counts.dots[static_cast<std::size_t>(digit)];
            preview.offField += head.row < 0 || column < 0;
            preview.frame.Include(head.row, column);
        }
        const int length = static_cast<int>(digits.size());
        head.column += strike.forward ? length : -length;
        preview.path.push_back(head);
        strike.pathEnd = preview.path.size() - 1;
        strike.doneUnits = startUnits + clock.Units();
        preview.lines.push_back(std::move(strike));
        ++counts.strikeLines;
    });
    if (!walked)
        return walked;
    counts.units = clock.Units();
    preview.units += counts.units;
    preview.passes.push_back(counts);
    return Outcome::Done();
}

} // namespace

Result<JobPreview> PreviewPlan(QByteArrayView plan, const std::vector<EstimateInputs>& passes,
                               const QString& name, const TextCatalogue& texts) {
    JobPreview preview;
    PlanTextReader reader(plan, name, texts);
    for (std::size_t i = 0; i < passes.size(); ++i) {
        reader.Rewind();
        if (Outcome walked = WalkPass(reader, passes[i], static_cast<int>(i) + 1, preview); !walked)
            return walked;
    }
    return preview;
}

QImage PreviewPicture(const JobPreview& preview) {
    QImage picture = NewStrikePicture(preview.frame);
    if (!picture.isNull())
        DrawPreviewLines(picture, preview, 0, preview.lines.size());
    return picture;
}

void DrawPreviewLines(QImage& picture, const JobPreview& preview, std::size_t first,
                      std::size_t last) {
    last = std::min(last, preview.lines.size());
    StrikeCanvas canvas(picture);
    for (std::size_t n = first; n < last; ++n) {
        const PreviewLine& line = preview.lines[n];
        for (int i = 0; i < static_cast<int>(line.digits.size()); ++i)
            canvas.Draw(line.row, line.Column(i), line.digits[i] - '0');
    }
}

} // namespace zeb
