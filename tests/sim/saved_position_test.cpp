// The position saved while a print job runs: what How reports after a reset, after the end
// of a job, and after a restart of the controller with a state file.
#include "wire.h"

#include "setup/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

// Sends How and echoes every raw byte back as the host does; all answer bytes, in hex:
// acknowledgement and end, four position bytes and their xor, the second end.
QByteArray AskHow(Wire& w, const char* howFrame) {
    w.Send(QByteArray::fromHex(howFrame));
    QByteArray got = w.Take(); // acknowledgement, end, first raw byte
    for (int i = 0; i < 5; ++i) {
        w.Send(got.right(1));
        got += w.Take();
    }
    return got.toHex();
}

// BeginPrint with 0, Left 7 with 1, StepUp 4 with 2.
void StartJobAndMove(Wire& w) {
    w.Play("1b3700002c>a050 1b1200060e>a151 1b1000030a>a252");
}

struct ObservedProblems : ControllerObserver {
    void Problem(const QString& text) override { problems << text; }
    QStringList problems;
};

TEST(SavedPosition, SurvivesTheResetThatEndsTheJob) {
    Wire w;
    StartJobAndMove(w);
    w.Play("1b00000018>a353"); // the host restarts and resets the controller, with 3
    EXPECT_FALSE(w.controller.PrintJobOpen());
    EXPECT_EQ(w.controller.HeadColumn(), 0);
    w.Play("1b1200020f>a454"); // Left 3 with 4, outside a job
    EXPECT_EQ(AskHow(w, "1b36000028"), QByteArray("a555000400070356"));
}

TEST(SavedPosition, FollowsTheStrikesOfABackwardLineUntilEndPrint) {
    Wire w;
    StartJobAndMove(w);
    // PrintLine backward, 3 dots, with 3; 4 4 4 with 4, struck at columns 6, 5, 4; EndPrint
    // with 6 ("Завершить работу"); Left 3 with 7, outside a job.
    w.Play("1b2000033b>a353 4440000000>a46455 1b39000024>a656 1b1200020c>a757");
    EXPECT_EQ(AskHow(w, "1b36000025"), QByteArray("a858000400040059"));
    EXPECT_EQ(w.controller.Workpiece(),
              (std::vector<Strike>{{2, 6, 4, 0}, {2, 5, 4, 0}, {2, 4, 4, 0}}));
}

TEST(SavedPosition, StateFileCarriesItOverARestart) {
    QTemporaryDir dir;
    ControllerOptions options;
    options.stateFile = dir.filePath("controller.state");
    {
        Wire w(options);
        StartJobAndMove(w);
        // Written as the job goes, not only at the end.
        EXPECT_EQ(zeb::testing::ReadBytes(options.stateFile), QByteArray("4\r\n7\r\n"));
    } // the power goes off in mid-job

    Wire w(options);
    EXPECT_EQ(w.controller.HeadColumn(), 0);
    EXPECT_FALSE(w.controller.PrintJobOpen());
    EXPECT_EQ(AskHow(w, "1b3600002d"), QByteArray("a050000400070351"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"controller.state"});
}

TEST(SavedPosition, StateFileTroubleIsReportedOnceAndTheControllerGoesOn) {
    QTemporaryDir dir;
    ControllerOptions broken;
    broken.stateFile = dir.filePath("controller.state");
    zeb::testing::WriteBytes(broken.stateFile, "four\r\n");
    Wire w(broken);
    ObservedProblems observer; // told of what was found before anyone listened
    w.controller.SetObserver(&observer);
    EXPECT_EQ(observer.problems.size(), 1);
    EXPECT_TRUE(observer.problems.value(0).contains("holds no saved position"));
    EXPECT_EQ(AskHow(w, "1b3600002d"), QByteArray("a050000000000051"));

    ControllerOptions unwritable;
    unwritable.stateFile = dir.filePath("no/such/dir/controller.state");
    Wire job(unwritable);
    job.controller.SetObserver(&observer);
    StartJobAndMove(job);
    job.Play("1b12000208>a353"); // Left 3 with 3
    EXPECT_EQ(observer.problems.size(), 2);
    EXPECT_TRUE(observer.problems.value(1).contains("cannot write the state file"));
    EXPECT_EQ(job.controller.SavedColumn(), 10);
}

} // namespace
} // namespace zeb::sim::testing
