// zeb-sim as a real process on a pseudo-terminal, talked to by a raw termios client.
#include "raw_terminal.h"

#include "sim/fault_plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

class SimProcess {
public:
    ~SimProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // Starts zeb-sim and reads the terminal's path from its first line.
    bool Start(const QStringList& args) {
        m_process.start(QStringLiteral(ZEB_SIM_EXE), args);
        if (!m_process.waitForStarted(10000))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        slave = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return !slave.isEmpty();
    }
    // SIGTERM, as an operator's Ctrl+C or a test harness ends it; the exit code.
    int Stop() {
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    // A power cut: no chance to tidy up.
    void Kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    QProcess& Process() { return m_process; }
    QString slave;

private:
    QProcess m_process;
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(ZebSimProcess, ServesAStrikeLineAndWritesItsFiles) {
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyZEB");
    SimProcess sim;
    ASSERT_TRUE(
        sim.Start({"--time-scale", "0", "--link", link, "--trace", dir.filePath("t.txt"),
                   "--strikes", dir.filePath("s.csv"), "--workpiece", dir.filePath("w.png")}));
    EXPECT_TRUE(sim.slave.startsWith("/dev/"));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slave);

    RawTerminal host;
    ASSERT_TRUE(host.Open(link));
    // An inquiry first: the odd parity is seen through the pty's line settings.
    host.SetParityOdd(true);
    ASSERT_TRUE(host.Write(Hex("81")));
    EXPECT_EQ(host.Read(1), Hex("90"));
    host.SetParityOdd(false);

    ASSERT_TRUE(host.Write(Hex("1b0100001a"))); // Hi with 0
    EXPECT_EQ(host.Read(2), Hex("a050"));
    ASSERT_TRUE(host.Write(Hex("22")));
    ASSERT_TRUE(host.Write(Hex("1b2100043f"))); // PrintLine forward, 4 dots, with 1
    EXPECT_EQ(host.Read(2), Hex("a151"));
    ASSERT_TRUE(host.Write(Hex("23")));
    ASSERT_TRUE(host.Write(Hex("1204000014"))); // 1 2 0 4, with 2
    EXPECT_EQ(host.Read(3), Hex("a26253"));

    // Both lists are there while the simulator still runs.
    EXPECT_EQ(ReadFile(dir.filePath("s.csv")), QByteArray("0,0,1,0\r\n0,1,2,0\r\n0,3,4,0\r\n"));
    EXPECT_EQ(ReadFile(dir.filePath("t.txt")), QByteArray("0 Hi 1B 01 00 00 1A\r\n"
                                                          "1 PrintLine 1B 21 00 04 3F\r\n"
                                                          "2 data 12 04 00 00 14\r\n"));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_TRUE(sim.Process().readAllStandardError().contains("3 strikes, 0 warm-up strikes"));

    const QImage picture(dir.filePath("w.png"));
    ASSERT_EQ(picture.size(), QSize(4, 1));
    EXPECT_EQ(qGray(picture.pixel(0, 0)), 64);
    EXPECT_EQ(qGray(picture.pixel(1, 0)), 128);
    EXPECT_EQ(qGray(picture.pixel(2, 0)), 0);
    EXPECT_EQ(qGray(picture.pixel(3, 0)), 255);
    EXPECT_FALSE(QFileInfo(link).isSymLink()); // the terminal is gone, so is the link
}

TEST(ZebSimProcess, SavedPositionSurvivesAPowerCut) {
    QTemporaryDir dir;
    const QString state = dir.filePath("controller.state");
    {
        SimProcess sim;
        ASSERT_TRUE(sim.Start({"--time-scale", "0", "--state", state}));
        RawTerminal host;
        ASSERT_TRUE(host.Open(sim.slave));
        ASSERT_TRUE(host.Write(Hex("1b3700002c"))); // BeginPrint with 0
        EXPECT_EQ(host.Read(2), Hex("a050"));
        ASSERT_TRUE(host.Write(Hex("22")));
        ASSERT_TRUE(host.Write(Hex("1b1200060e"))); // Left 7 with 1
        EXPECT_EQ(host.Read(2), Hex("a151"));
        sim.Kill();
    }
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--time-scale", "0", "--state", state}));
    RawTerminal host;
    ASSERT_TRUE(host.Open(sim.slave));
    ASSERT_TRUE(host.Write(Hex("1b3600002d"))); // How with 0
    EXPECT_EQ(host.Read(2), Hex("a050"));
    QByteArray raw;
    for (int i = 0; i < 5; ++i) {
        const QByteArray b = host.Read(1);
        ASSERT_EQ(b.size(), 1);
        raw += b;
        ASSERT_TRUE(host.Write(b));
    }
    EXPECT_EQ(raw, Hex("0000000707"));
    EXPECT_EQ(host.Read(1), Hex("51"));
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(ZebSimProcess, HelpNamesEveryOptionAndFault) {
    QProcess p;
    p.start(QStringLiteral(ZEB_SIM_EXE), {"--help"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char* option : {"--link", "--time-scale", "--baud", "--faults", "--seed",
                               "--workpiece", "--strikes", "--trace", "--state"})
        EXPECT_TRUE(help.contains(option)) << option;
    for (const QString& fault : FaultNames())
        EXPECT_TRUE(help.contains(fault)) << fault.toStdString();
}

struct BadCommandLine {
    const char* name;
    QStringList args;
    const char* message;
};

class ZebSimRefuses : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(ZebSimRefuses, WithAMessageAndExitTwo) {
    QProcess p;
    p.start(QStringLiteral(ZEB_SIM_EXE), GetParam().args);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains(GetParam().message));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, ZebSimRefuses,
    ::testing::Values(BadCommandLine{"UnknownOption", {"--bogus"}, "unknown option --bogus"},
                      BadCommandLine{"UnknownFault", {"--faults", "melt=1"}, "unknown fault"},
                      BadCommandLine{"BadScale", {"--time-scale", "fast"}, "--time-scale"},
                      BadCommandLine{"MissingValue", {"--trace"}, "--trace needs a value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZebSimProcess, LinkDoesNotReplaceARealFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("precious.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QProcess p;
    p.start(QStringLiteral(ZEB_SIM_EXE), {"--link", path});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(ReadFile(path), QByteArray("keep me"));
}

} // namespace
} // namespace zeb::sim::testing
