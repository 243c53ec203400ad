// The real serial port against zeb-sim on a pseudo-terminal: the start-up sequence with an
// error inquiry in odd parity, and strike lines both ways. The controller is instant, so
// this costs little real time.

#include "common/manual_timers.h"
#include "common/recording_operator.h"
#include "link/comm_port_driver.h"
#include "link/device.h"
#include "link/handshake.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(PtyLink, StartUpAndStrikeLinesAgainstZebSim) {
    QTemporaryDir dir;
    const QString strikes = dir.filePath(QStringLiteral("strikes.csv"));
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE), {"--time-scale", "0", "--strikes", strikes});
    // It prints the terminal's path once it serves.
    ASSERT_TRUE(sim.waitForStarted(5000) && sim.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();

    SystemClock clock;
    CommPortDriver1 port;
    RecordingOperator op;
    ManualTimers timers;
    LinkState link;
    MachineState machine;
    SelfTestState selfTest;
    Device dev(port, op, clock, link, machine, selfTest);
    port.SetPortDeviceName(path);
    ASSERT_TRUE(port.OpenPort()) << path.toStdString();

    // Host 3, controller 0: the greeting's rejection is confirmed by an inquiry, which only
    // the line settings mark as odd parity, and the controller's number is adopted.
    link.SeqNo = 3;
    StartUpLink(dev, timers, 1930, 2330);
    EXPECT_EQ(op.beeps, 1);
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.join(" | ").toStdString();
    EXPECT_TRUE(link.DeviceReady);
    EXPECT_TRUE(timers.Running(TimerId::Timer4));
    EXPECT_GT(machine.LinkTime, 0);

    EXPECT_TRUE(dev.SetStrike(StrikeLevelSet{{0, 20, 40, 60, 80}}));
    dev.PrintLine(LineDirection::Forward, "1204");
    dev.PrintLine(LineDirection::Backward, "30");
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.join(" | ").toStdString();
    EXPECT_EQ(machine.CurrentCol, 2);
    const std::optional<HeadPosition> head = dev.Monitor();
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->column, 2);
    EXPECT_EQ(head->row, 0);

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    QFile file(strikes);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Forward from column 0: strike, step on; backward: step back, strike.
    EXPECT_EQ(file.readAll(), QByteArray("0,0,1,20\r\n0,1,2,40\r\n0,3,4,80\r\n0,3,3,60\r\n"));
}

} // namespace
} // namespace zeb::testing
