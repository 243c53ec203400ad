// The position saved while a print job runs: what How reports after an interruption, after
// the end of a job, and after a restart of the controller with a state file.
#include "wire.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

// Sends How and echoes every raw byte back as the host does; all answer bytes in order.
QByteArray AskHow(Wire& w, const char* howFrame) {
    w.Send(howFrame);
    QByteArray got = w.Take(); // acknowledgement, end, first raw byte
    for (int i = 0; i < 5; ++i) {
        w.SendBytes(got.right(1));
        got += w.Take();
    }
    return got;
}

void StartJobAndMove(Wire& w) {
    w.Send("1b3700002c"); // BeginPrint with 0
    w.Send("1b1200060e"); // Left 7 with 1
    w.Send("1b1000030a"); // StepUp 4 with 2
    ASSERT_EQ(w.Take(), Hex("a050a151a252"));
}

class ObservedProblems : public ControllerObserver {
public:
    void Problem(const QString& text) override { problems << text; }
    QStringList problems;
};

TEST(SavedPosition, EndPrintKeepsItAndLaterMovesDoNotChangeIt) {
    Wire w;
    StartJobAndMove(w);
    w.Send("1b39000021"); // EndPrint with 3 ("Завершить работу")
    w.Send("1b1200020f"); // Left 3 with 4, outside a job
    ASSERT_EQ(w.Take(), Hex("a353a454"));
    EXPECT_EQ(AskHow(w, "1b36000028"), Hex("a555"
                                           "0004000703"
                                           "56"));
    EXPECT_EQ(w.controller.HeadColumn(), 10);
}

TEST(SavedPosition, FollowsTheStrikesOfABackwardLine) {
    Wire w;
    StartJobAndMove(w);
    w.Send("1b2000033b"); // PrintLine backward, 3 dots, with 3
    w.Send("4440000000"); // 4 4 4, with 4: struck at columns 6, 5, 4
    ASSERT_EQ(w.Take(), Hex("a353a46455"));
    EXPECT_EQ(AskHow(w, "1b3600002b"), Hex("a656"
                                           "0004000400"
                                           "57"));
    const std::vector<Strike> expected{{2, 6, 4, 0}, {2, 5, 4, 0}, {2, 4, 4, 0}};
    EXPECT_EQ(w.controller.Workpiece(), expected);
}

TEST(SavedPosition, StateFileCarriesItOverARestart) {
    QTemporaryDir dir;
    ControllerOptions options;
    options.stateFile = dir.filePath("controller.state");
    {
        Wire w(options);
        StartJobAndMove(w);
    } // the power goes off in mid-job

    QFile state(options.stateFile);
    ASSERT_TRUE(state.open(QIODevice::ReadOnly));
    EXPECT_EQ(state.readAll(), QByteArray("4\r\n7\r\n"));
    state.close();

    Wire w(options);
    EXPECT_EQ(w.controller.HeadColumn(), 0);
    EXPECT_FALSE(w.controller.PrintJobOpen());
    EXPECT_EQ(AskHow(w, "1b3600002d"), Hex("a050"
                                           "0004000703"
                                           "51"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"controller.state"});
}

TEST(SavedPosition, WithoutAStateFileARestartForgetsIt) {
    {
        Wire w;
        StartJobAndMove(w);
    }
    Wire w;
    EXPECT_EQ(AskHow(w, "1b3600002d"), Hex("a050"
                                           "0000000000"
                                           "51"));
}

TEST(SavedPosition, BrokenStateFileIsReportedAndStartsFromZero) {
    QTemporaryDir dir;
    ControllerOptions options;
    options.stateFile = dir.filePath("controller.state");
    QFile state(options.stateFile);
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write("four\r\n");
    state.close();

    Wire w(options);
    ObservedProblems observer;
    w.controller.SetObserver(&observer);
    ASSERT_EQ(observer.problems.size(), 1);
    EXPECT_TRUE(observer.problems[0].contains("holds no saved position"));
    EXPECT_EQ(w.controller.SavedColumn(), 0);
    EXPECT_EQ(w.controller.SavedRow(), 0);
}

TEST(SavedPosition, UnwritableStateFileIsReportedOnceAndTheJobGoesOn) {
    QTemporaryDir dir;
    ControllerOptions options;
    options.stateFile = dir.filePath("no/such/dir/controller.state");
    Wire w(options);
    ObservedProblems observer;
    w.controller.SetObserver(&observer);
    StartJobAndMove(w);
    w.Send("1b12000208"); // Left 3 with 3
    EXPECT_EQ(w.Take(), Hex("a353"));
    EXPECT_EQ(observer.problems.size(), 1);
    EXPECT_TRUE(observer.problems.value(0).contains("cannot write the state file"));
    EXPECT_EQ(w.controller.SavedColumn(), 10);
}

} // namespace
} // namespace zeb::sim::testing
