// The service functions against the virtual controller. "Калибровка устройства": the
// refusals, the 108-line report, the times it measures on the virtual clock, and
// measurements out of range. Self-test: "\testing.txt" with its header and error records,
// the counter, switching off and on, and the step control after a strike line.
#include "setup/calibration.h"
#include "setup/self_test.h"

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

// The link to the virtual controller and a start directory for the report and the log.
class ServiceTest : public ::testing::Test {
protected:
    explicit ServiceTest(sim::ControllerOptions options = {}) : rig(options) {}
    void Calibrate() { CalibrateTiming(rig.dev, config, levels, dir.Path()); }
    QString Report() const { return dir.File("timing.txt"); }
    int Count(const QString& name) const { return static_cast<int>(rig.Commands().count(name)); }
    QString SwitchTo(bool on) {
        return SelfTestingClick(on, rig.dev, rig.selfTest, log, dir.Path());
    }
    QString Log() const { return dir.File("testing.txt"); }

    ScopedStartDirectory dir;
    LinkRig rig;
    Settings config;
    StrikeLevelSet levels = Forces(80, 60, 40, 20);
    TestingLog log;
};
using CalibrationTest = ServiceTest;
using SelfTestLogTest = ServiceTest;

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
    ModelledCalibrationTest() : ServiceTest(Modelled(SilentAfter)) {}
};
using TimedCalibrationTest = ModelledCalibrationTest<-1>;

TEST_F(TimedCalibrationTest, ACompleteRunWrites108LinesOfTimesAndLeavesResolutionThree) {
    Calibrate();
    EXPECT_EQ(rig.op.messages, QStringList{"Калибровка завершена."});
    const QStringList lines = TextLines(Report());
    // Its labels and resolutions: as in the worked-out run below.
    ASSERT_EQ(lines.size(), 108);
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

TEST_F(CalibrationTest, EachValueIsWorkedOutFromItsOwnTimesAndTheRightCorrection) {
    // The controller works instantly and each answer byte takes 3 ms, so every time is three
    // times the answers it took: a greeting and a move two, a one-dot line five, a 101-dot
    // line (13 data frames) 29.
    rig.tap.DelayIncoming(3);
    Calibrate();
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
    rig.tap.DelayIncoming(400);
    Calibrate();
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

TEST_F(SelfTestLogTest, TheHeaderNamesPortAndControllerEachAnswerErrorItsNumberAndLastExchanges) {
    EXPECT_EQ(SwitchTo(true), QString());
    EXPECT_TRUE(rig.selfTest.Enabled);
    // The name is read from parameter memory 80..112.
    EXPECT_EQ(rig.vc.Trace().size(), 33u);
    EXPECT_EQ(TextLines(Log()), (QStringList{"Self Testing 05.01.2026 09:00:00, порт com1",
                                             "Устройство: ZEB virtual controller           "}));
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    const QStringList lines = TextLines(Log());
    ASSERT_EQ(lines.size(), 2 + 11);
    EXPECT_EQ(lines[2], "Ошибка 0");
    // Nine parameter reads before it (numbers 8..0 of the ring), then the garbled Up.
    EXPECT_EQ(lines[3], "8; R.E.; A8; A8; OK;   EndComand  ; 58; 58; OK; ");
    EXPECT_EQ(lines[12], "1; Up; A1; E1; <>==>; 21; ");
    EXPECT_EQ(rig.op.service[ServiceField::ErrorCounter], "1");
    // The record is in the code page of the program's files, each line ending in CR LF.
    EXPECT_TRUE(ReadBytes(Log()).contains("\r\n\xCE\xF8\xE8\xE1\xEA\xE0 0\r\n"));

    // Off: no more records and no count; on again: a fresh log.
    EXPECT_EQ(SwitchTo(false), QString());
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    EXPECT_EQ(TextLines(Log()).size(), 13);
    EXPECT_EQ(rig.link.ErrorCounter, 1);
    SwitchTo(true);
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    EXPECT_EQ(TextLines(Log()).value(2), "Ошибка 1");

    // With the link down the header says so and nothing is sent.
    rig.link.DeviceReady = false;
    const size_t sent = rig.vc.Trace().size();
    SwitchTo(true);
    EXPECT_EQ(rig.vc.Trace().size(), sent);
    EXPECT_EQ(TextLines(Log()).value(1), "Устройство не отвечает");
}

TEST_F(SelfTestLogTest, AnUncreatableLogIsReportedAndErrorsAreStillCounted) {
    const QString error = SelfTestingClick(true, rig.dev, rig.selfTest, log, dir.File("gone"));
    EXPECT_TRUE(error.contains("testing.txt")) << error.toStdString();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_TRUE(rig.selfTest.Enabled);
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    EXPECT_EQ(rig.link.ErrorCounter, 1);
}

TEST(StepControlTest, CountedAndRealPositionsAfterALine) {
    struct Case {
        const char* name;
        bool enabled, stepControl;
        int shift; // columns the controller's counter is off after the line
        bool monitorSent, mismatch;
        QString realX;
    };
    const Case cases[] = {
        {"agreeing", true, true, 0, true, false, "3"},
        {"shifted", true, true, 2, true, true, "5"},
        {"shifted, step control off", true, false, 2, true, false, ""},
        {"self-test off", false, true, 2, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        rig.selfTest.Enabled = c.enabled;
        rig.selfTest.StepControl = c.stepControl;
        rig.vc.ShiftCountersAfterNextLine(c.shift);
        rig.dev.PrintLine(LineDirection::Forward, "101");
        const size_t before = rig.vc.Trace().size();
        EXPECT_EQ(StepControl(rig.dev, rig.selfTest), c.mismatch);
        EXPECT_EQ(rig.vc.Trace().size() > before, c.monitorSent);
        EXPECT_EQ(rig.op.service.value(ServiceField::RealPosX), c.realX);
        EXPECT_EQ(rig.op.service.value(ServiceField::CountPosX), c.enabled ? "3" : "");
        EXPECT_EQ(rig.op.service.value(ServiceField::CountPosY), c.enabled ? "0" : "");
        EXPECT_EQ(rig.op.beeps, c.mismatch ? 1 : 0);
        EXPECT_EQ(rig.link.ErrorCounter, c.mismatch ? 1 : 0);
        EXPECT_EQ(rig.op.service.value(ServiceField::ErrorCounter), c.mismatch ? "1" : "");
    }
}

} // namespace
} // namespace zeb
