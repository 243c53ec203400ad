// Self-test against the virtual controller: "\testing.txt" with its header and error records,
// the counter, switching off and on, and the step control after a strike line.
#include "setup/self_test.h"

#include "common/temp_dir.h"
#include "link/link_rig.h"
#include "setup/file_helpers.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::LinkRig;
using testing::ReadBytes;
using testing::ScopedStartDirectory;
using testing::TextLines;

class SelfTestLogTest : public ::testing::Test {
protected:
    QString SwitchTo(bool on) {
        return SelfTestingClick(on, rig.dev, rig.selfTest, log, dir.Path());
    }
    QString Path() const { return dir.File("testing.txt"); }

    ScopedStartDirectory dir;
    LinkRig rig;
    TestingLog log;
};

TEST_F(SelfTestLogTest, TheHeaderNamesPortAndControllerEachAnswerErrorItsNumberAndLastExchanges) {
    EXPECT_EQ(SwitchTo(true), QString());
    EXPECT_TRUE(rig.selfTest.Enabled);
    // The name is read from parameter memory 80..112.
    EXPECT_EQ(rig.vc.Trace().size(), 33u);
    EXPECT_EQ(TextLines(Path()), (QStringList{"Self Testing 05.01.2026 09:00:00, порт com1",
                                              "Устройство: ZEB virtual controller           "}));
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    const QStringList lines = TextLines(Path());
    ASSERT_EQ(lines.size(), 2 + 11);
    EXPECT_EQ(lines[2], "Ошибка 0");
    // Nine parameter reads before it (numbers 8..0 of the ring), then the garbled Up.
    EXPECT_EQ(lines[3], "8; R.E.; A8; A8; OK;   EndComand  ; 58; 58; OK; ");
    EXPECT_EQ(lines[12], "1; Up; A1; E1; <>==>; 21; ");
    EXPECT_EQ(rig.op.service[ServiceField::ErrorCounter], "1");
    // The record is in the code page of the program's files, each line ending in CR LF.
    EXPECT_TRUE(ReadBytes(Path()).contains("\r\n\xCE\xF8\xE8\xE1\xEA\xE0 0\r\n"));

    // Off: no more records and no count; on again: a fresh log.
    EXPECT_EQ(SwitchTo(false), QString());
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    EXPECT_EQ(TextLines(Path()).size(), 13);
    EXPECT_EQ(rig.link.ErrorCounter, 1);
    SwitchTo(true);
    rig.vc.AnswerNextFrameWrongly();
    rig.dev.Up();
    EXPECT_EQ(TextLines(Path()).value(2), "Ошибка 1");

    // With the link down the header says so and nothing is sent.
    rig.link.DeviceReady = false;
    const size_t sent = rig.vc.Trace().size();
    SwitchTo(true);
    EXPECT_EQ(rig.vc.Trace().size(), sent);
    EXPECT_EQ(TextLines(Path()).value(1), "Устройство не отвечает");
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
