// Recovery against the virtual controller: the program killed anywhere in a job, started
// again and the job finished from the saved position; the refusals that leave every file as
// it was; the dialog's other choice and the service starts.

#include "job/job_rig.h"
#include "job/job_start.h"
#include "job/pass_line.h"
#include "job/plan_cut.h"
#include "job/progress_record.h"
#include "job/recovery.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// Starts a job and kills the program after `kills[0]` x n ticks (n: lines of the plan, so 1.5
// is the middle of a second pass), starts it again and resumes; the next kills count ticks
// from there. In the end every planned dot must be struck once per pass.
void KillAndResume(bool doublePass, const std::vector<double>& kills, const char* name) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), doublePass, true)) << name;
    const int lines = static_cast<int>(rig.Read("123123123.txt").count("\r\n"));
    ASSERT_GT(lines, 40) << name;
    const auto planned = rig.Planned();
    for (double kill : kills) {
        rig.Run(static_cast<int>(kill * lines));
        ASSERT_TRUE(rig.Exists("ErorFile.txt")) << name << ": finished before the kill " << kill;
        rig.Restart();
        ASSERT_TRUE(rig.s->Unfinished.Pending) << name;
        ASSERT_TRUE(rig.Resume()) << name << " killed at " << kill << ": " << rig.Told();
    }
    ASSERT_EQ(rig.Run().back(), TickResult::Completed) << name;

    std::vector<StruckDot> first;
    std::vector<StruckDot> second;
    for (const StruckDot& dot : rig.Struck())
        (dot.force % 10 == 0 ? first : second).push_back(dot); // 10..40 first, 4..16 second
    EXPECT_EQ(CompareStrikes(planned, first, {0, 10, 20, 30, 40}), QStringList()) << name;
    EXPECT_EQ(CompareStrikes(planned, second, {0, 4, 8, 12, 16}),
              doublePass ? QStringList() : CompareStrikes(planned, {}, {}))
        << name;
    EXPECT_FALSE(rig.Exists("ErorFile.txt")) << name;
}

TEST(Recovery, KilledAnywhereTheJobIsFinishedExactlyOnce) {
    // Early, late, on the last line, twice in a row and right after a resume.
    const std::vector<std::vector<double>> kills{{0},   {0.02},   {0.05},      {0.07},
                                                 {0.2}, {0.5},    {0.83},      {0.97},
                                                 {1.0}, {0.1, 0}, {0.2, 0.03}, {0.4, 0.4}};
    for (const auto& k : kills)
        KillAndResume(false, k, "single pass");
    // Around the start of the second pass, inside it, and several times over both.
    const std::vector<std::vector<double>> doubleKills{
        {0.5}, {0.98}, {1.0}, {1.02}, {1.05}, {1.5}, {1.98}, {0.9, 0.2}, {0.6, 0.6, 0.6}};
    for (const auto& k : doubleKills)
        KillAndResume(true, k, "double pass");
}

TEST(Recovery, TheWarmUpRunsBeforeTheCut) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    rig.Run(1);
    rig.Restart();

    ASSERT_TRUE(rig.Resume(2));

    EXPECT_EQ(rig.vc.WarmUpStrikes(), 2 * 60);
    EXPECT_EQ(rig.op->statuses.last(), QStringLiteral("Разогрев головки - 95"));
    EXPECT_TRUE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_FALSE(rig.timers->Running(TimerId::CrushTimer));
    EXPECT_TRUE(rig.vc.PrintJobOpen());
    EXPECT_EQ(rig.vc.ProfileForce(4), 40);
}

// Replaces a file of the start directory by what `edit` makes of it.
std::function<void(JobRig&)> Rewrite(const char* name, std::function<QByteArray(QByteArray)> edit) {
    return [name, edit](JobRig& rig) {
        const QByteArray text = edit(rig.Read(name));
        QFile::remove(rig.dir.File(name));
        if (!text.isNull())
            rig.Write(name, text);
    };
}

// The machine moved on after the job's last record: without the record only the position can
// tell, and it lies on no line of the plan.
void LeavePositionOffPlan(JobRig& rig) {
    RemoveProgressRecord(rig.dir.Path());
    rig.vc.SetExpectedSeqNo(rig.s->Link.SeqNo);
    rig.s->Dev.BeginPrint();
    EXPECT_TRUE(rig.s->Dev.StepUp(2 * 3000));
}

// The two texts of the position refusal in the words of a loaded language file.
void LoadEnglishRefusal(TextCatalogue& texts) {
    texts.Define(*TextCatalogue::LanguageCode(TextKey::RecoveryPositionOffPlan),
                 "Row %1, column %2 is on no line of %3.");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::RecoveryNothingStarted),
                 " Nothing started.");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::RecoveryFileLine),
                 "Recovery file %1, line %2: %3");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::RecoveryLineNotANumber), "no number");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::ProgressFileDamaged), "%1 is damaged");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::PlanFileLine), "Plan %1, line %2: %3");
    texts.Define(*TextCatalogue::LanguageCode(TextKey::PlanFileCut), "cut short");
    texts.SetLanguageLoaded(true);
}

TEST(Recovery, WhatCannotBeResumedIsToldAndLeftAlone) {
    const struct {
        const char* name;
        std::function<void(JobRig&)> spoil;
        const char* said;
        const char* english = nullptr; // the message's end with an English language file
    } rows[] = {
        {"recovery file cut short",
         Rewrite("ErorFile.txt", [](QByteArray t) { return t.left(t.indexOf("\r\n20\r\n")); }),
         "строка 5"},
        {"a force that is no number",
         Rewrite("ErorFile.txt",
                 [](QByteArray t) { return t.replace("\r\n30\r\n", "\r\n3x\r\n"); }),
         "строка 6"},
        {"a force no slider can show",
         Rewrite("ErorFile.txt",
                 [](QByteArray t) { return t.replace("\r\n40\r\n", "\r\n250\r\n"); }),
         "строка 7"},
        {"plan missing", Rewrite("123123123.txt", [](QByteArray) { return QByteArray(); }),
         "123123123.txt"},
        {"plan cut inside a line",
         Rewrite("123123123.txt", [](QByteArray t) { return t.chopped(3); }), "обрывается"},
        {"another plan in its place",
         Rewrite("123123123.txt",
                 [](QByteArray t) {
                     return t.replace("Knock: ", "Knock: 0").replace("KBack: ", "KBack: 0");
                 }),
         "123123123.txt"},
        {"the picture's place changed",
         [](JobRig& rig) {
             QList<QByteArray> lines = rig.Read("ErorFile.txt").split('\n');
             lines[2] = QByteArray::number(lines[2].trimmed().toInt() + 1) + '\r';
             rig.Write("ErorFile.txt", lines.join('\n'));
         },
         "ErorFile.txt"},
        {"the progress record cut short",
         Rewrite("ErorProgress.txt", [](QByteArray t) { return t.left(20); }), "ErorProgress.txt"},
        {"the progress record a folder",
         [](JobRig& rig) {
             QFile::remove(rig.dir.File("ErorProgress.txt"));
             QDir(rig.dir.Path()).mkdir("ErorProgress.txt");
         },
         "ErorProgress.txt"},
        {"the record past the plan's end",
         Rewrite("ErorProgress.txt",
                 [](QByteArray t) { return t.replace(t.indexOf("\r\n") + 2, 10, "9999      "); }),
         "9999"},
        {"a position on no line of the plan", LeavePositionOffPlan, "не лежит ни на одной строке"},
        // A refusal in the words of the language file, where it has them.
        {"the same in English", LeavePositionOffPlan, "Row ", "123123123.txt. Nothing started."},
        {"a recovery file line in English",
         Rewrite("ErorFile.txt",
                 [](QByteArray t) { return t.replace("\r\n30\r\n", "\r\n3x\r\n"); }),
         "Recovery file ", "ErorFile.txt, line 6: no number"},
        {"a progress record in English",
         Rewrite("ErorProgress.txt", [](QByteArray t) { return t.left(20); }), "is damaged",
         "ErorProgress.txt is damaged. Nothing started."},
        {"a plan cut inside a line in English",
         Rewrite("123123123.txt", [](QByteArray t) { return t.chopped(3); }),
         "123123123.txt, line ", ": cut short"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        ASSERT_TRUE(rig.StartJob(Blocks()));
        rig.Run(10);
        row.spoil(rig);
        rig.Restart();
        if (row.english)
            LoadEnglishRefusal(rig.s->Texts);
        const QByteArrayList before = rig.JobFiles();
        const size_t struck = rig.vc.Workpiece().size();
        rig.Sent();

        EXPECT_FALSE(rig.Resume());

        ASSERT_TRUE(rig.Said(row.said));
        if (row.english) {
            EXPECT_TRUE(rig.op->messages.last().endsWith(row.english))
                << rig.op->messages.last().toStdString();
        }
        EXPECT_EQ(rig.JobFiles(), before);
        EXPECT_FALSE(rig.Exists("1.txt"));
        EXPECT_FALSE(rig.Exists("ErorProgress.txt.new"));
        EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
        EXPECT_FALSE(rig.timers->Running(TimerId::CrushTimer));
        EXPECT_FALSE(rig.vc.PrintJobOpen());
        EXPECT_FALSE(rig.Sent().contains("SetStrike"));
        EXPECT_EQ(rig.vc.Workpiece().size(), struck);
        // The menus come back (the refusal is told after that, by the caller).
        EXPECT_EQ(rig.op->events.filter(QRegularExpression("^(lock|unlock|lock-job)$")).last(),
                  QStringLiteral("unlock"));
    }
}

// Passes the controller's bytes on, but changes the column's low byte in the first `count`
// answers to How, each answer differently.
class ChangedPositions : public PassLine {
public:
    ChangedPositions(std::unique_ptr<SerialLine> inner, int count)
        : PassLine(std::move(inner)), m_count(count) {}

    bool WriteByte(quint8 b) override {
        if (Begins(b, 0x36) && m_answers < m_count) {
            // Acknowledgement, end, then the position bytes: the column's low byte is read 6.
            m_readsToGo = 6;
            ++m_answers;
        }
        return PassLine::WriteByte(b);
    }
    bool ReadByte(quint8& b) override {
        if (!PassLine::ReadByte(b))
            return false;
        if (m_readsToGo > 0 && --m_readsToGo == 0)
            b ^= static_cast<quint8>(m_answers);
        return true;
    }

private:
    int m_count;
    int m_answers = 0;
    int m_readsToGo = 0;
};

TEST(Recovery, TheSavedPositionCountsOnceTwoAnswersAgree) {
    for (int changed : {1, 4}) {
        JobRig rig;
        ASSERT_TRUE(rig.StartJob(Blocks()));
        rig.Run(20);
        const auto planned = rig.Planned();
        rig.wrapLine = [changed](std::unique_ptr<SerialLine> line) {
            return std::make_unique<ChangedPositions>(std::move(line), changed);
        };
        rig.Restart();
        const QByteArrayList before = rig.JobFiles();

        const bool resumed = rig.Resume();

        if (changed == 1) {
            ASSERT_TRUE(resumed);
            rig.Run();
            EXPECT_EQ(CompareStrikes(planned, rig.Struck(), {0, 10, 20, 30, 40}), QStringList());
        } else {
            EXPECT_FALSE(resumed);
            EXPECT_TRUE(rig.Said("надёжно"));
            EXPECT_EQ(rig.JobFiles(), before);
        }
    }
}

TEST(Recovery, ACutKilledBeforeItsRenameIsFinishedFirst) {
    JobRig rig;
    const QByteArray plan = rig.WritePlan(
        "123123123.txt", {"", "GoTo:      2     3", "Down: ", "Knock: 1234", "Up  : "});
    const QByteArray cut =
        rig.WritePlan("1.txt", {"GoTo:      2     3", "Down: ", "Knock: 0034", "Up  : "});
    RecoveryRecord record;
    record.firstPass = Forces(40, 30, 20, 10);
    record.secondPass = Forces(16, 12, 8, 4);
    ASSERT_TRUE(WriteRecoveryFile(rig.dir.Path(), record));
    ASSERT_TRUE(
        WriteProgressRecord(rig.dir.Path(), {1, 0, false, PlanDigest(cut), JobDigest(record)}));
    rig.Restart();

    ASSERT_TRUE(rig.Resume());
    EXPECT_EQ(rig.Read("123123123.txt"), cut);
    EXPECT_FALSE(rig.Exists("1.txt"));
    rig.Run();
    ASSERT_EQ(rig.vc.Workpiece().size(), 2u);
    EXPECT_EQ(rig.vc.Workpiece()[0].column, 5);
    EXPECT_EQ(rig.vc.Workpiece()[1].column, 6);
    EXPECT_NE(plan, cut);
}

TEST(Recovery, IgnoringDropsTheFilesAndTheServiceStartsRunOrCut) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    rig.Run(12);
    rig.Restart();
    const QByteArray plan = rig.Read("123123123.txt");

    // "2": the plan is cut at the saved position; nothing starts.
    ASSERT_TRUE(rig.Shown(ServiceStartTwo(*rig.s)));
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_NE(rig.Read("123123123.txt"), plan);
    EXPECT_FALSE(rig.Exists("1.txt"));
    EXPECT_FALSE(rig.op->service.value(ServiceField::SavedRow).isEmpty());

    // "1": the plan as it is now runs with a four-line recovery file.
    rig.s->Levels.SingleStrikeForce = 7;
    ASSERT_TRUE(rig.Shown(ServiceStartOne(*rig.s)));
    EXPECT_TRUE(rig.timers->Running(TimerId::Optimizing));
    const QStringList lines = QString::fromLatin1(rig.Read("ErorFile.txt")).split("\r\n");
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.value(3), "7");

    // Ignored at the next start: Timer3 removes the files.
    rig.timers->Start(TimerId::Timer3, 1);
    DropUnfinishedJob(rig.s->StartDirectory, *rig.timers);
    EXPECT_FALSE(rig.Exists("ErorFile.txt"));
    EXPECT_FALSE(rig.Exists("ErorProgress.txt"));
    EXPECT_FALSE(rig.timers->Running(TimerId::Timer3));
}

} // namespace
} // namespace zeb::testing
