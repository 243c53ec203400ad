// A job the controller interrupted in mid-line, resumed after a power cycle as it was left or
// after its files were left stale or were changed: a progress record older than the truth still
// finishes the job with every dot struck once; a replaced plan or a moved picture is refused with
// the file named, nothing struck and every file kept.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace zeb::testing {
namespace {

QList<QByteArray> Lines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

QByteArray Joined(const QList<QByteArray>& lines) {
    return lines.join('\n');
}

// The files an interrupted job leaves, byte for byte.
QByteArrayList JobFiles(const E2eDir& d) {
    return {d.Read("ErorFile.txt"), d.Read("ErorProgress.txt"), d.Read("123123123.txt")};
}

struct Interrupted {
    std::pair<int, int> placement;
    int recordedLine = 0;
};

// Engraves until the controller goes silent inside strike line 9, then powers the machine off
// and on again (its saved position kept in the state file).
bool Interrupt(E2eDir& d, Interrupted* job) {
    const QStringList state{"--state", d.File("machine.state")};
    if (!d.StartSimWith(Checks(), state + QStringList{"--faults", "stop-mid-line=9"}) ||
        !d.PlanAim())
        return false;
    const CliResult stopped = d.Cli(d.EngraveArgs());
    EXPECT_TRUE(stopped.err.contains("link to the controller was lost"))
        << stopped.err.toStdString();
    EXPECT_FALSE(d.Strikes().empty());
    job->placement = Placement(stopped.out);
    job->recordedLine = Lines(d.Read("ErorProgress.txt")).value(1).trimmed().toInt();
    d.StopSim();
    return stopped.exitCode == 1 && d.Exists("ErorFile.txt") && job->recordedLine > 0 &&
           d.StartSim(state);
}

// The plan's line numbers (from 1) of the moves and strike lines before `line`.
std::pair<QList<int>, QList<int>> EarlierLines(const QByteArray& plan, int line) {
    QList<int> moves;
    QList<int> strikes;
    const QList<QByteArray> lines = Lines(plan);
    for (int n = 1; n < line && n <= lines.size(); ++n) {
        if (lines[n - 1].startsWith("GoTo:"))
            moves << n;
        if (lines[n - 1].startsWith("Knock") || lines[n - 1].startsWith("KBack"))
            strikes << n;
    }
    return {moves, strikes};
}

void SetRecordedLine(E2eDir& d, int line) {
    QList<QByteArray> record = Lines(d.Read("ErorProgress.txt"));
    record[1] = QByteArray::number(line).leftJustified(10, ' ');
    d.Write("ErorProgress.txt", Joined(record));
}

TEST(EndToEndRecovery, AsLeftOrWithAStaleProgressRecordEveryDotIsStruckOnce) {
    const struct {
        const char* name;
        int back; // -1: as left; 0: line 0; 1: the move two strike lines back; 2: the strike
                  // line before
    } rows[] = {{"the record as left", -1},
                {"the record at line 0", 0},
                {"the record at an earlier move", 1},
                {"the record at an earlier strike line", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        E2eDir d;
        Interrupted job;
        ASSERT_TRUE(Interrupt(d, &job));
        const auto [moves, strikes] = EarlierLines(d.Read("123123123.txt"), job.recordedLine);
        ASSERT_GE(strikes.size(), 2);
        ASSERT_GE(moves.size(), 3);
        const int line =
            row.back == 0 ? 0 : (row.back == 1 ? moves[moves.size() - 3] : strikes.last());
        ASSERT_LT(line, job.recordedLine);
        if (row.back >= 0)
            SetRecordedLine(d, line);

        const CliResult resumed = d.Resume();

        ASSERT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
        EXPECT_EQ(WorkpieceProblems(d, job.placement), QStringList());
        EXPECT_FALSE(d.Exists("ErorFile.txt"));
    }
}

TEST(EndToEndRecovery, AChangedJobIsRefusedWithNothingStruck) {
    // Each change is made to the named file's lines (CR LF taken off, LF put back).
    const struct {
        const char* name;
        const char* file;
        std::function<void(E2eDir&, QList<QByteArray>&)> change;
        const char* named; // the file the message names
    } rows[] = {
        {"another picture's plan", "123123123.txt",
         [](E2eDir& d, QList<QByteArray>& lines) {
             Checks().mirrored(true, false).save(d.File("other.bmp"), "BMP");
             d.Cli({"plan", "other.bmp", "--mode", "diffusion", "-o", "other.txt"});
             lines = {d.Read("other.txt")}; // as it is, CR LF and all
         },
         "123123123.txt"},
        {"the X offset one higher", "ErorFile.txt",
         [](E2eDir&, QList<QByteArray>& lines) {
             lines[1] = QByteArray::number(lines[1].toInt() + 1);
         },
         "ErorFile.txt"},
        {"offsets at the 32-bit limits", "ErorFile.txt",
         [](E2eDir&, QList<QByteArray>& lines) {
             lines[1] = QByteArray::number(INT_MAX);
             lines[2] = QByteArray::number(INT_MIN);
         },
         "ErorFile.txt"},
        {"the picture moved left of the field, no progress record", "ErorFile.txt",
         [](E2eDir& d, QList<QByteArray>& lines) {
             QFile::remove(d.File("ErorProgress.txt"));
             lines[1] = "-3";
         },
         "123123123.txt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        E2eDir d;
        Interrupted job;
        ASSERT_TRUE(Interrupt(d, &job));
        QList<QByteArray> lines = Lines(d.Read(row.file));
        row.change(d, lines);
        d.Write(row.file, Joined(lines));
        const QByteArrayList before = JobFiles(d);
        const size_t struck = d.Strikes().size();

        const CliResult resumed = d.Resume();

        EXPECT_EQ(resumed.exitCode, 2) << resumed.err.toStdString();
        EXPECT_TRUE(resumed.err.contains(QString::fromLatin1(row.named)))
            << resumed.err.toStdString();
        EXPECT_EQ(d.Strikes().size(), struck);
        EXPECT_EQ(JobFiles(d), before);
        EXPECT_FALSE(d.Exists("1.txt"));
    }
}

} // namespace
} // namespace zeb::testing
