// One plan line per tick against the virtual controller: strike lines with the portrait
// split, the end of the plan, the stops. (The moves on the wire: tests/e2e.)

#include "job/job_rig.h"
#include "job/pass_line.h"
#include "job/progress_record.h"
#include "job/recovery.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// The plan file executed as the service start "1" does, after the forces were sent.
void StartPlan(JobRig& rig, const QStringList& lines) {
    rig.WritePlan("123123123.txt", lines);
    rig.s->Dev.SetMotorSpeedScale(rig.s->Config.ResolutionIndex);
    EXPECT_TRUE(rig.s->Dev.SetStrike(Forces(40, 30, 20, 10)));
    ASSERT_TRUE(rig.Shown(ServiceStartOne(*rig.s)));
    rig.Sent();
}

TickResult Tick(JobRig& rig) {
    return RunNextPlanLine(*rig.s).result;
}

TEST(JobRunner, BackwardLinesSplitInPortraitModeOnly) {
    const struct {
        const char* name;
        bool portrait;
        int resolution;
        const char* record;
        int digits;
        const char* codes;
    } rows[] = {
        // 16 and 17 digits at resolution 0 on the wire: tests/e2e.
        {"17 split at resolution 3", true, 3, "KBack: ", 17,
         "1B 41 60 14|1B 20 00 08|1B 41 60 13|1B 20 00 01|1B 41 60 12|1B 20 00 08|1B 41 60 13"},
        {"text sends whole", false, 0, "KBack: ", 17, "1B 20 00 11"},
        {"forward never split", true, 0, "Knock: ", 17, "1B 21 00 11"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        rig.s->Levels.PortraitMode = row.portrait;
        rig.s->Config.ResolutionIndex = row.resolution;
        rig.s->Config.ChunkLength = 8;
        // Trailing "0"s are dropped before the length counts.
        const QString digits = QString(row.digits, QLatin1Char('2')) + QStringLiteral("000");
        StartPlan(rig, {"", "GoTo:      1    40", QString::fromLatin1(row.record) + digits});
        Tick(rig);
        Tick(rig);
        rig.Sent();
        EXPECT_EQ(Tick(rig), TickResult::LineDone);
        EXPECT_EQ(rig.Sent(true).join('|'), row.codes);
        // Every dot once, in its column: the parts follow each other without a gap.
        const auto& struck = rig.vc.Workpiece();
        ASSERT_EQ(struck.size(), size_t(row.digits));
        const bool forward = row.record[1] == 'n';
        for (int i = 0; i < row.digits; ++i)
            EXPECT_EQ(struck[i].column, forward ? 40 + i : 39 - i) << "dot " << i;
    }
}

TEST(JobRunner, ZeroDigitsSendNothingAndMarksGoWhereTheDotsAre) {
    JobRig rig;
    StartPlan(rig, {"", "GoTo:      3    10", "Knock: 0000", "Knock: 1020", "GoTo:      3    30",
                    "KBack: 300"});
    Tick(rig);
    Tick(rig);
    rig.Sent(true);
    EXPECT_FALSE(RunNextPlanLine(*rig.s).pictureChanged);
    EXPECT_TRUE(rig.Sent(true).isEmpty());
    EXPECT_TRUE(RunNextPlanLine(*rig.s).pictureChanged);
    EXPECT_EQ(rig.Sent(true), QStringList({"1B 21 00 03"}));
    Tick(rig);
    Tick(rig);
    const QImage& image = rig.s->View.Image1;
    EXPECT_EQ(image.pixel(10, 3), ProgressMarkColour);
    EXPECT_NE(image.pixel(11, 3), ProgressMarkColour);
    EXPECT_EQ(image.pixel(12, 3), ProgressMarkColour);
    EXPECT_EQ(image.pixel(29, 3), ProgressMarkColour); // backward: the first dot is left of 30
    EXPECT_NE(image.pixel(30, 3), ProgressMarkColour);
}

TEST(JobRunner, AnEmptyPlanEndsTheJobAtTheFirstTick) {
    JobRig rig;
    StartPlan(rig, {});
    ASSERT_TRUE(rig.Exists("ErorFile.txt"));

    EXPECT_EQ(Tick(rig), TickResult::Completed);

    EXPECT_EQ(rig.Sent(), QStringList({"EndPrint", "ResetError", "Off"}));
    EXPECT_FALSE(rig.Exists("ErorFile.txt"));
    EXPECT_FALSE(rig.Exists("ErorProgress.txt"));
    EXPECT_FALSE(rig.s->Link.DeviceReady);
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_TRUE(rig.timers->Running(TimerId::Timer2));
    EXPECT_TRUE(rig.op->jobLocked);
    EXPECT_FALSE(rig.s->Job.Running);
    StopFollowUpTimers(*rig.timers);
    EXPECT_FALSE(rig.timers->Running(TimerId::Timer2));
}

// Passes every byte on; when the host begins a strike line command, reads the progress
// record as it is on the disk at that moment.
class RecordAtEachLine : public PassLine {
public:
    RecordAtEachLine(std::unique_ptr<SerialLine> inner, QString directory, QList<int>* seen)
        : PassLine(std::move(inner)), m_directory(std::move(directory)), m_seen(seen) {}

    bool WriteByte(quint8 b) override {
        if (Begins(b, 0x20) || Begins(b, 0x21)) {
            const auto read = ReadProgressRecord(TextCatalogue(), m_directory);
            const std::optional<ProgressRecord> record = read ? *read : std::nullopt;
            *m_seen << (record && record->begun ? record->line : -1);
        }
        return PassLine::WriteByte(b);
    }

private:
    QString m_directory;
    QList<int>* m_seen;
};

TEST(JobRunner, TheProgressRecordNamesEachStrikeLineBeforeItIsSent) {
    JobRig rig;
    QList<int> seen;
    rig.wrapLine = [&](std::unique_ptr<SerialLine> line) {
        return std::make_unique<RecordAtEachLine>(std::move(line), rig.dir.Path(), &seen);
    };
    rig.Restart();
    StartPlan(rig, {"", "GoTo:      1     1", "Down: ", "Knock: 11", "Up  : ", "GoTo:      2     9",
                    "Down: ", "KBack: 22", "Up  : "});
    rig.Run();
    // On the disk, naming its line, when each line's command went out.
    EXPECT_EQ(seen, QList<int>({4, 8}));
    EXPECT_EQ(rig.vc.Workpiece().size(), 4u);
}

TEST(JobRunner, StopsOnWhatCannotBeCarriedOut) {
    struct Row {
        const char* name;
        QStringList plan;
        const char* said;
    };
    const Row rows[] = {
        // 2 x 40000 steps do not fit one move command.
        {"long move", {"", "GoTo:  40000     0"}, "80000"},
        {"broken line", {"", "GoTo:      1     1", "GoTo: 12"}, "строка 3"},
        {"bad digit", {"", "GoTo:      1     1", "Knock: 1291"}, "строка 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        StartPlan(rig, row.plan);
        const std::vector<TickResult> results = rig.Run();
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(results.back(), TickResult::Stopped);
        EXPECT_TRUE(rig.Said(row.said));
        const QStringList sent = rig.Sent();
        EXPECT_EQ(sent.mid(sent.size() - 2), QStringList({"EndPrint", "Off"}));
        EXPECT_TRUE(rig.Exists("ErorFile.txt"));
        EXPECT_TRUE(rig.vc.Workpiece().empty());
    }
}

TEST(JobRunner, ALostLinkStopsTheJobForTheFaultDialog) {
    const struct {
        const char* name;
        std::function<void(JobRig&)> fault;
        bool linkError;
    } rows[] = {
        {"silent before a line", [](JobRig& rig) { rig.vc.SetSilent(true); }, true},
        // The data frame's failure leaves LinkError as it was.
        {"silent after a line's first data frame", [](JobRig& rig) { rig.vc.StopMidLine(1); },
         false},
        // A greeting of the estimate that got no answer: LinkError stays clear.
        {"device down between lines", [](JobRig& rig) { rig.s->Link.DeviceReady = false; }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        StartPlan(rig, {"", "GoTo:      1     1", "Knock: 1111222233334444", "GoTo:      2     1",
                        "Knock: 11"});
        Tick(rig);
        Tick(rig);
        row.fault(rig);
        EXPECT_EQ(Tick(rig), TickResult::LinkLost);
        EXPECT_EQ(rig.s->Link.LinkError, row.linkError);
        EXPECT_FALSE(rig.s->Link.DeviceReady);
        EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
        EXPECT_EQ(rig.s->Job.Plan, nullptr);
        EXPECT_TRUE(rig.Exists("ErorFile.txt"));
        EXPECT_TRUE(rig.op->jobLocked);
        EXPECT_TRUE(rig.vc.Workpiece().empty());
    }
}

TEST(JobRunner, StepControlAsksTheCountersAfterStrikeLinesInSelfTest) {
    for (bool selfTest : {false, true}) {
        JobRig rig;
        rig.s->SelfTest.Enabled = selfTest;
        StartPlan(rig, {"", "GoTo:      1     1", "Knock: 11"});
        rig.vc.ShiftCountersAfterNextLine(1);
        rig.Run();
        const QStringList sent = rig.Sent();
        EXPECT_EQ(sent.contains("Monitor"), selfTest);
        EXPECT_EQ(rig.s->Link.ErrorCounter, selfTest ? 1 : 0);
        EXPECT_EQ(rig.op->beeps, selfTest ? 1 : 0);
    }
}

} // namespace
} // namespace zeb::testing
