// The preview of a job: a plan read as the machine strikes it (positions, counts, the head's
// path, the estimate's clock), and a preview built in memory that writes, sends and marks
// nothing, after which the job strikes exactly what it showed.
#include "job/estimate.h"
#include "job/job_preview.h"
#include "job/job_rig.h"
#include "job/plan_pictures.h"
#include "job/plan_preview.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

EstimateInputs Inputs(int offsetX, int offsetY, std::array<int, 5> columnTime) {
    EstimateInputs in;
    in.machine.MotorSpeedScale = 16;
    in.machine.ColumnTime = columnTime;
    in.linkTime = 400;
    in.deviceReady = true;
    in.pictureOffsetX = offsetX;
    in.pictureOffsetY = offsetY;
    return in;
}

TEST(PlanPreview, StrikesWhereTheMachineStrikesAndCountsWhatOneDoesNotSee) {
    const QByteArray plan =
        PlanLines({"", "GoTo:      2     3", "Down: ", "Knock: 1204", "GoTo:      3     9",
                   "KBack: 0340", "GoTo:      4     1", "Knock: 000", "Up  : "});
    // Offsets -4, 10: the forward line starts one column off the field.
    const Result<JobPreview> planned =
        PreviewPlan(plan, {Inputs(-4, 10, {100, 1, 2, 3, 4})}, QStringLiteral("t"));
    ASSERT_TRUE(planned) << planned.Message().toStdString();
    const JobPreview& preview = *planned;

    ASSERT_EQ(preview.lines.size(), 2u); // the line of only "0"s sends nothing
    const PreviewLine& knock = preview.lines[0];
    EXPECT_EQ((std::tuple{knock.pass, knock.row, knock.column, knock.forward, knock.digits}),
              (std::tuple{1, 12, -1, true, QByteArray("1204")}));
    const PreviewLine& back = preview.lines[1];
    EXPECT_EQ((std::tuple{back.pass, back.row, back.column, back.forward, back.digits}),
              (std::tuple{1, 13, 5, false, QByteArray("034")})); // trailing "0" not sent
    EXPECT_EQ((std::vector<int>{back.Column(0), back.Column(1), back.Column(2)}),
              (std::vector<int>{4, 3, 2}));

    const std::vector<HeadPoint> path{{0, 0}, {12, -1}, {12, 3}, {13, 5}, {13, 2}, {14, -3}};
    EXPECT_EQ(preview.path, path);
    EXPECT_EQ(knock.pathEnd, 2u);
    EXPECT_EQ(back.pathEnd, 4u);

    ASSERT_EQ(preview.passes.size(), 1u);
    EXPECT_EQ(preview.passes[0].dots, (std::array<qint64, 5>{0, 1, 1, 1, 2}));
    EXPECT_EQ(preview.passes[0].strikeLines, 2);
    EXPECT_EQ(preview.offField, 1);
    EXPECT_EQ((std::pair{preview.frame.columns, preview.frame.rows}), (std::pair{4, 14}));

    const QImage picture = PreviewPicture(preview);
    ASSERT_EQ(picture.size(), QSize(4, 14));
    const auto tone = [&picture](int column, int row) {
        return int(picture.constScanLine(row)[column]);
    };
    // The "1" off the field lies on the edge, under the "2" of column 0.
    EXPECT_EQ((std::vector<int>{tone(0, 12), tone(1, 12), tone(2, 12), tone(3, 12)}),
              (std::vector<int>{128, 0, 255, 0}));
    EXPECT_EQ((std::vector<int>{tone(2, 13), tone(3, 13), tone(0, 13)}),
              (std::vector<int>{255, 192, 0}));
    EXPECT_EQ(tone(0, 0), 0);
}

TEST(PlanPreview, TheClockIsTheEstimatesAndABadLineLeavesNothing) {
    ScopedStartDirectory dir;
    const QByteArray plan = PlanLines({"", "GoTo:      5    30", "Down: ", "Knock: 4321",
                                       "Up  : ", "GoTo:      9     2", "Down: ", "KBack: 22",
                                       "GoTo:     10     2", "Knock: 1111", "Up  : "});
    const EstimateInputs first = Inputs(7, 3, {527, 763, 700, 650, 600});
    const EstimateInputs second = Inputs(7, 3, {527, 300, 310, 320, 330});
    const Result<JobPreview> planned = PreviewPlan(plan, {first, second}, QStringLiteral("t"));
    ASSERT_TRUE(planned);
    const JobPreview& preview = *planned;
    ASSERT_EQ(preview.passes.size(), 2u);
    EXPECT_EQ(preview.passes[0].units, *PlanTextDuration(plan, first, QString()));
    EXPECT_EQ(preview.passes[1].units, *PlanTextDuration(plan, second, QString()));
    EXPECT_EQ(preview.units, preview.passes[0].units + preview.passes[1].units);
    // Each pass ends with the needle's "Up  : ", one link time after its last line.
    EXPECT_EQ(preview.lines.back().doneUnits, preview.units - 400);
    EXPECT_EQ(preview.lines[2].pass, 1);
    EXPECT_EQ(preview.lines[3].pass, 2);
    EXPECT_EQ(preview.lines[2].doneUnits, preview.passes[0].units - 400);
    EXPECT_TRUE(std::is_sorted(
        preview.lines.begin(), preview.lines.end(),
        [](const PreviewLine& a, const PreviewLine& b) { return a.doneUnits < b.doneUnits; }));
    // The second pass starts from the reset, at 0, 0.
    EXPECT_EQ(preview.path[preview.lines[2].pathEnd + 1], (HeadPoint{0, 0}));

    // The text estimate is the file estimate of the same bytes, double pass included.
    WriteAll(dir.File("plan.txt"), plan);
    EstimateInputs twice = first;
    twice.doublePassPending = true;
    const Result<qint64> fromText = PlanTextDuration(plan, twice, QString());
    const Result<qint64> fromFile = PlanFileDuration(dir.File("plan.txt"), twice);
    ASSERT_TRUE(fromText && fromFile);
    EXPECT_EQ(*fromText, *fromFile);
    EXPECT_EQ(*fromText, 2 * preview.passes[0].units);

    struct Row {
        const char* name;
        QByteArray text;
        const char* told;
    };
    const Row bad[] = {
        {"digit 5", PlanLines({"", "GoTo:      1     1", "Knock: 125"}), "строка 3"},
        {"cut inside a line", PlanLines({"", "GoTo:      1     1"}) + "Knock: 12", "обрывается"},
    };
    for (const Row& row : bad) {
        SCOPED_TRACE(row.name);
        const Result<JobPreview> broken = PreviewPlan(row.text, {first}, QStringLiteral("t.txt"));
        ASSERT_FALSE(broken);
        EXPECT_TRUE(broken.Message().contains(row.told)) << broken.Message().toStdString();
        EXPECT_TRUE(broken.Message().contains("t.txt"));
        EXPECT_FALSE(PlanTextDuration(row.text, first, QString()));
    }
    // In the language file's words when it gives them.
    TextCatalogue english;
    english.SetLanguageLoaded(true);
    english.Define(*TextCatalogue::LanguageCode(TextKey::PlanTextLine), "Plan %1, line %2: %3");
    english.Define(*TextCatalogue::LanguageCode(TextKey::PlanStrikeDigits), "digits 0..4 only");
    EXPECT_EQ(PreviewPlan(bad[0].text, {first}, "t.txt", english).Message(),
              "Plan t.txt, line 3: digits 0..4 only");
}

// The virtual controller's workpiece, drawn by the renderer zeb-sim writes it with.
QImage Workpiece(const sim::VirtualController& vc) {
    StrikeFrame frame;
    for (const auto& strike : vc.Workpiece())
        frame.Include(strike.row, strike.column);
    QImage picture = NewStrikePicture(frame);
    StrikeCanvas canvas(picture);
    for (const auto& strike : vc.Workpiece())
        canvas.Draw(strike.row, strike.column, strike.profile);
    return picture;
}

TEST(JobPreview, BuiltInMemoryItIsWhatTheJobThenStrikes) {
    struct Row {
        const char* name;
        bool combined;
        bool oneSided;
        bool doublePass;
        QPoint offset; // the picture dragged here; (0, 0) keeps its alignment
    };
    const Row rows[] = {
        {"two-sided combined", true, false, false, {}},
        {"one-sided diffusion", false, true, false, {}},
        {"double pass", true, false, true, {}},
        {"partly off the field", true, false, false, {-3, -2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        rig.PrepareJob(Blocks(), row.doublePass, row.combined);
        Session& s = *rig.s;
        if (row.oneSided)
            s.Levels.SetHighQuality(true);
        if (!row.offset.isNull()) {
            s.Place.PictureOffsetX = row.offset.x();
            s.Place.PictureOffsetY = row.offset.y();
        }
        rig.Sent();
        const QStringList files = QDir(rig.dir.Path()).entryList(QDir::Files);
        const Matrix<double> levels = s.Matrices.DotLevels;

        const Result<JobPreview> planned = PreviewJob(s);

        ASSERT_TRUE(planned) << planned.Message().toStdString();
        const JobPreview& preview = *planned;
        EXPECT_TRUE(rig.Sent().isEmpty());
        EXPECT_EQ(QDir(rig.dir.Path()).entryList(QDir::Files), files);
        EXPECT_TRUE(std::equal(levels.Row(0), levels.Row(0) + levels.Rows() * levels.Cols(),
                               s.Matrices.DotLevels.Row(0)));
        EXPECT_EQ(preview.passes.size(), row.doublePass ? 2u : 1u);
        EXPECT_EQ(preview.offField > 0, !row.offset.isNull());

        rig.op->confirmAnswer = true; // off the field: the operator takes it
        const Result<JobStart> start = StartJob(s);
        EXPECT_EQ(rig.op->questions.size(), row.offset.isNull() ? 0u : 1u);
        ASSERT_TRUE(start && start->begun) << start.Message().toStdString();
        ASSERT_TRUE(start->estimate) << start->estimate.Message().toStdString();
        rig.Run();
        EXPECT_TRUE(Workpiece(rig.vc) == PreviewPicture(preview));
        qint64 dots = 0;
        for (const PassPreview& pass : preview.passes)
            for (int digit = 1; digit <= 4; ++digit)
                dots += pass.dots[static_cast<size_t>(digit)];
        EXPECT_EQ(dots, static_cast<qint64>(rig.vc.Workpiece().size()));
        EXPECT_EQ(static_cast<qint64>(preview.lines.size()), s.Job.StrikeLinesSent);
        if (!row.doublePass) {
            EXPECT_EQ(preview.units, start->estimate->units);
        }
    }
}

TEST(JobPreview, RefusesWhatTheJobStartRefuses) {
    JobRig rig;
    EXPECT_FALSE(PreviewJob(*rig.s)); // no picture yet
    rig.OpenPicture(Blocks());
    rig.s->Levels.FirstPassLevels = Forces(40, 30, 20, 0); // no slider shows 0 on the first pass
    rig.Sent();
    const Result<JobPreview> preview = PreviewJob(*rig.s);
    ASSERT_FALSE(preview);
    EXPECT_TRUE(preview.Message().contains(QStringLiteral("Первый проход")))
        << preview.Message().toStdString();
    EXPECT_TRUE(rig.Sent().isEmpty());
}

} // namespace
} // namespace zeb::testing
