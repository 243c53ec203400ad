// "Калибровка устройства" against the virtual controller: the refusals, the 108-line report,
// the times it measures on the virtual clock, and measurements out of range.
#include "setup/calibration.h"

#include "common/temp_dir.h"
#include "link/link_rig.h"
#include "setup/file_helpers.h"
#include "setup/strike_levels_helpers.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::LinkRig;
using testing::ReadBytes;
using testing::ScopedStartDirectory;
using testing::TextLines;
using testing::WriteBytes;

sim::ControllerOptions Modelled(int silentAfter) {
    sim::ControllerOptions options;
    options.timeScale = 1.0;
    options.faults.silentAfter = silentAfter;
    return options;
}

class CalibrationTest : public ::testing::Test {
protected:
    explicit CalibrationTest(sim::ControllerOptions options = {}) : rig(options) {}
    void Calibrate() { CalibrateTiming(rig.dev, config, levels, dir.Path()); }
    QString Report() const { return dir.File("timing.txt"); }
    int Count(const QString& name) const { return static_cast<int>(rig.Commands().count(name)); }

    ScopedStartDirectory dir;
    LinkRig rig;
    Settings config;
    StrikeLevelSet levels = Forces(80, 60, 40, 20);
};

TEST_F(CalibrationTest, OfflineItRefusesEvenWhenTheReportExistsElseAReportMeansCalibrated) {
    WriteBytes(Report(), "Comand\r\n");
    rig.link.DeviceReady = false;
    Calibrate();
    rig.link.DeviceReady = true;
    Calibrate();
    EXPECT_EQ(rig.op.messages,
              (QStringList{"Устройство не доступно.", "Устройство уже калибровано."}));
    EXPECT_EQ(ReadBytes(Report()), "Comand\r\n");
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(config.ResolutionIndex, 0);
}

// Against a controller with modelled durations, silent after that many frames.
template <int SilentAfter>
class ModelledCalibrationTest : public CalibrationTest {
protected:
    ModelledCalibrationTest() : CalibrationTest(Modelled(SilentAfter)) {}
};
using TimedCalibrationTest = ModelledCalibrationTest<-1>;

TEST_F(TimedCalibrationTest, ACompleteRunWrites108LinesOfTimesAndLeavesResolutionThree) {
    Calibrate();
    EXPECT_EQ(rig.op.messages, QStringList{"Калибровка завершена."});
    const QStringList lines = TextLines(Report());
    ASSERT_EQ(lines.size(), 108);
    // Each resolution block: "0=" .. "20=", then the four moves.
    QStringList block;
    for (int n = 0; n <= 20; ++n)
        block << QString::number(n) + "=";
    block += QStringList{"Left=", "Right=", "Up=", "Down="};
    const QStringList labels =
        QStringList{"Comand", "LineTime", "Resolution"} + block + QStringList{"Resolution"} + block;
    QStringList found;
    for (int i = 0; i < lines.size(); i += 2)
        found << lines[i];
    EXPECT_EQ(found, labels);
    EXPECT_EQ(lines[5], "1");
    EXPECT_EQ(lines[57], "3");
    // The greetings take no modelled time, so C is 0 and a move's line is its time div 4:
    // 400 steps of 3 x 12 x 17 / 100 ms at resolution 1, of 3 x 12 x 19 / 100 ms at 3.
    EXPECT_EQ(lines[1], "0");
    for (int i : {48, 50, 52, 54})
        EXPECT_EQ(lines[i + 1], "612") << lines[i].toStdString();
    for (int i : {100, 102, 104, 106})
        EXPECT_EQ(lines[i + 1], "684") << lines[i].toStdString();
    EXPECT_EQ(config.ResolutionIndex, 3);
    EXPECT_EQ(rig.machine.MotorSpeedScale, 19);

    // What the controller was asked to do.
    EXPECT_EQ(Count("Hi"), 100);
    EXPECT_EQ(Count("PrintLine"), 100 + 1 + 2 * (1 + 20));
    EXPECT_EQ(rig.vc.Workpiece().size(), 100u + 101 + 2 * 20 * 101);
}

// Every byte from the controller arrives `msPerByte` late.
class LateLine : public SerialLine {
public:
    LateLine(SerialLine& inner, VirtualClock& clock, int msPerByte)
        : m_inner(inner), m_clock(clock), m_msPerByte(msPerByte) {}
    bool OpenPort() override { return m_inner.OpenPort(); }
    void ClosePort() override { m_inner.ClosePort(); }
    bool WriteByte(quint8 b) override { return m_inner.WriteByte(b); }
    bool ReadByte(quint8& b) override {
        const bool ok = m_inner.ReadByte(b);
        if (ok)
            m_clock.Advance(m_msPerByte);
        return ok;
    }
    void SetParityOdd() override { m_inner.SetParityOdd(); }
    void SetParityEven() override { m_inner.SetParityEven(); }

private:
    SerialLine& m_inner;
    VirtualClock& m_clock;
    int m_msPerByte;
};

TEST_F(CalibrationTest, EachValueIsWorkedOutFromItsOwnTimesAndTheRightCorrection) {
    // The controller works instantly and each answer byte takes 3 ms, so every time is three
    // times the answers it took: a greeting and a move two, a one-dot line five, a 101-dot
    // line (13 data frames) 29.
    LateLine late(rig.tap, rig.clock, 3);
    Device counted(late, rig.op, rig.clock, rig.link, rig.machine, rig.selfTest);
    CalibrateTiming(counted, config, levels, dir.Path());
    // C = 100 x 2 x 3 = 600. L = (100 A - B) div 99 with A = 100 x 5 x 3 = 1500, B = 87:
    // 149913 div 99 = 1514. Lines of 101 dots less L div 100 (15): 87 - 15 = 72; the empty
    // line at resolution 3 less C div 100 (6): 81. Moves: (6 - C div 100) div 4 = 0.
    QStringList expected{"Comand", "600", "LineTime", "1514"};
    for (int resolution : {1, 3}) {
        expected << "Resolution" << QString::number(resolution);
        expected << "0=" << (resolution == 1 ? "72" : "81");
        for (int n = 1; n <= 20; ++n)
            expected << QString::number(n) + "="
                     << "72";
        for (const char* move : {"Left=", "Right=", "Up=", "Down="})
            expected << move << "0";
    }
    EXPECT_EQ(TextLines(Report()).join(QLatin1Char(' ')).toStdString(),
              expected.join(QLatin1Char(' ')).toStdString());
    EXPECT_EQ(rig.op.messages, QStringList{"Калибровка завершена."});
}

TEST_F(CalibrationTest, TimesPastSixtyFiveSecondsAreClampedAndMarkedNotWrapped) {
    LateLine late(rig.tap, rig.clock, 400);
    Device slow(late, rig.op, rig.clock, rig.link, rig.machine, rig.selfTest);
    CalibrateTiming(slow, config, levels, dir.Path());
    const QStringList lines = TextLines(Report());
    ASSERT_EQ(lines.size(), 108);
    // Two answers per greeting.
    EXPECT_EQ(lines[1], "65535 (вне 0..65535: 80000)");
    // Five answers per one-dot line (A = 200 s), 29 for the 101-dot line with its 13 data
    // frames (B = 11.6 s): (100 A - B) div 99.
    EXPECT_EQ(lines[3], "65535 (вне 0..65535: 201903)") << lines[3].toStdString();
    EXPECT_EQ(rig.op.messages.last(), "Калибровка завершена.");
}

// Silent from inside the first pattern line: 100 greetings, 100 one-dot lines of two frames,
// the 101-dot line and the empty line of 14 frames each, both motor drivers, the nine frames
// of the strike profiles, then three frames of the line.
using LinkLostCalibrationTest = ModelledCalibrationTest<100 + 200 + 14 + 2 + 14 + 9 + 3>;

TEST_F(LinkLostCalibrationTest, GoesOnAndMarksTheTimesThatComeOutNegative) {
    Calibrate();
    const QStringList lines = TextLines(Report());
    ASSERT_EQ(lines.size(), 108);
    ASSERT_EQ(rig.op.messages.size(), 2);
    EXPECT_TRUE(rig.op.messages[0].startsWith("Ошибка команды"))
        << rig.op.messages[0].toStdString();
    EXPECT_EQ(rig.op.messages[1], "Калибровка завершена.");
    EXPECT_GT(lines[3].toInt(), 99); // LineTime before the loss
    // With nothing sent, a pattern line takes no time, less the share of LineTime.
    EXPECT_EQ(lines[10], "2=");
    EXPECT_TRUE(lines[11].startsWith("0 (вне 0..65535: -")) << lines[11].toStdString();
    EXPECT_EQ(lines[107], "0");
}

TEST_F(CalibrationTest, AReportThatCannotBeWrittenIsSaidSo) {
    CalibrateTiming(rig.dev, config, levels, dir.File("missing"));
    ASSERT_EQ(rig.op.messages.size(), 1);
    EXPECT_TRUE(rig.op.messages[0].startsWith("Не удалось записать"))
        << rig.op.messages[0].toStdString();
    EXPECT_EQ(testing::FilesIn(dir.Path()), QStringList{});
}

} // namespace
} // namespace zeb
