// The real serial port against zeb-sim on a pseudo-terminal: the start-up sequence and a
// strike line, with the odd-parity inquiry carried by the line settings. The controller is
// instant, so this costs little real time.

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

// zeb-sim serving a pseudo-terminal for the length of one test.
class SimProcess {
public:
    explicit SimProcess(const QStringList& extraArguments) {
        m_process.setProgram(QStringLiteral(ZEB_SIM_EXE));
        m_process.setArguments(QStringList{QStringLiteral("--time-scale"), QStringLiteral("0"),
                                           QStringLiteral("--strikes"), StrikesFile()} +
                               extraArguments);
        m_process.start();
        // It prints the terminal's path once it serves.
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimProcess() { Stop(); }
    void Stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    const QString& Path() const { return m_path; }
    QString StrikesFile() const { return m_dir.filePath(QStringLiteral("strikes.csv")); }
    QByteArray Strikes() const {
        QFile file(StrikesFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_path;
};

struct PtySession {
    explicit PtySession(const QString& path) : dev(port, op, clock, link, machine, selfTest) {
        port.SetPortDeviceName(path);
        opened = port.OpenPort();
    }
    SystemClock clock;
    CommPortDriver1 port;
    RecordingOperator op;
    ManualTimers timers;
    LinkState link;
    MachineState machine;
    SelfTestState selfTest;
    Device dev;
    bool opened = false;
};

TEST(PtyLink, StartUpAndAStrikeLineAgainstZebSim) {
    SimProcess sim({});
    ASSERT_FALSE(sim.Path().isEmpty()) << "zeb-sim did not serve";
    PtySession session(sim.Path());
    ASSERT_TRUE(session.opened);

    StartUpLink(session.dev, session.timers, 1930, 2330);
    EXPECT_TRUE(session.op.messages.isEmpty()) << session.op.messages.join(" | ").toStdString();
    EXPECT_TRUE(session.link.DeviceReady);
    EXPECT_TRUE(session.timers.Running(TimerId::Timer4));
    EXPECT_GT(session.machine.LinkTime, 0);

    StrikeLevelSet levels;
    levels.force = {0, 20, 40, 60, 80};
    EXPECT_TRUE(session.dev.SetStrike(levels));
    session.dev.PrintLine(LineDirection::Forward, "1204");
    session.dev.PrintLine(LineDirection::Backward, "30");
    EXPECT_TRUE(session.op.messages.isEmpty()) << session.op.messages.join(" | ").toStdString();
    EXPECT_EQ(session.machine.CurrentCol, 2);
    const std::optional<HeadPosition> head = session.dev.Monitor();
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->column, 2);
    EXPECT_EQ(head->row, 0);

    sim.Stop();
    // Forward from column 0: strike, step on; backward: step back, strike.
    EXPECT_EQ(sim.Strikes(), QByteArray("0,0,1,20\r\n0,1,2,40\r\n0,3,4,80\r\n0,3,3,60\r\n"));
}

TEST(PtyLink, InquiryReachesTheSimulatorAsOddParity) {
    SimProcess sim({});
    ASSERT_FALSE(sim.Path().isEmpty());
    PtySession session(sim.Path());
    ASSERT_TRUE(session.opened);
    // Host 3, controller 0: the rejection is confirmed by an inquiry, then adopted.
    session.link.SeqNo = 3;
    session.dev.Hi();
    EXPECT_TRUE(session.link.DeviceReady);
    EXPECT_EQ(session.link.SeqNo, 1);
    EXPECT_EQ(session.op.beeps, 1);
    EXPECT_EQ(session.link.CommandLog[0],
              QStringLiteral("3; Hi; A3; 90; <>==>; 90; Hi; A0; A0; OK; 50; 50; OK; "));
}

} // namespace
} // namespace zeb::testing
