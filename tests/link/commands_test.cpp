// The command vocabulary against the virtual controller: wire codes, time limits, strike
// profiles, strike lines, position queries and the motor drivers; then the pure functions
// under it, worked out by hand: frames of odd length, strike-line packing, the four phase
// cases of a strike profile and the column time.

#include "link/frames.h"
#include "link_rig.h"

#include <gtest/gtest.h>

#include <functional>

namespace zeb::testing {
namespace {

TEST(Commands, WireCodesNamesAndLimits) {
    struct Row {
        std::function<void(Device&)> run;
        const char* name;   // CmdName afterwards; "before" for a command that keeps the name
        const char* frames; // as sent from sequence number 0
        int limit;
    };
    const Row rows[] = {
        {[](Device& d) { EXPECT_TRUE(d.StepUp(1)); }, "StepUp", "1B 10 00 00 0B", 3400},
        {[](Device& d) { EXPECT_TRUE(d.StepDown(2)); }, "StepDown", "1B 11 00 01 0B", 3400},
        {[](Device& d) { EXPECT_TRUE(d.Left(256)); }, "Left", "1B 12 00 FF F6", 1492},
        {[](Device& d) { EXPECT_TRUE(d.Right(3)); }, "Right", "1B 13 00 02 0A", 1400},
        {[](Device& d) { d.Up(); }, "Up", "1B FF 01 01 E4", 100},
        {[](Device& d) { d.Put(0); }, "Put", "1B FE 00 00 E5", 100},
        {[](Device& d) { d.Off(); }, "Off", "1B FD 01 01 E6", 1000},
        {[](Device& d) { d.BeginPrint(); }, "Begin print", "1B 37 00 00 2C", 1},
        {[](Device& d) { d.EndPrint(); }, "EndPrint", "1B 39 00 00 22", 1000},
        {[](Device& d) { d.ReadParamByte(80); }, "R.E.", "1B 58 50 00 13", 1000},
        {[](Device& d) { d.Monitor(); }, "Monitor", "1B 30 00 00 2B", 100},
        {[](Device& d) { d.How(); }, "How", "1B 36 00 00 2D", 1000},
        {[](Device& d) { d.ProgX_Motor(0x60, 16); }, "ProgX_Motor", "1B 40 60 10 2B", 100},
        {[](Device& d) { d.ProgY_Motor(0x61, 12); }, "ProgY_Motor", "1B 41 61 0C 37", 100},
        {[](Device& d) { d.WarmUpStrike(); }, "before", "1B 03 01 01 18", 5000},
        {[](Device& d) { d.SetRegister55(); }, "before", "1B A5 55 40 AB", 1000},
        {[](Device& d) { d.SetRegister54(); }, "before", "1B A5 54 2E C4", 1000},
        {[](Device& d) { d.SetMotorSpeed(20); }, "ProgY_Motor", "1B 40 61 14 2E, 1B 41 61 14 2E",
         100},
        {[](Device& d) { d.SetMotorSpeedScale(4); }, "ProgY_Motor",
         "1B 40 60 14 2F, 1B 41 60 14 2F", 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.frames);
        LinkRig rig;
        rig.machine.LinkTime = 400; // P = 12 x 1: moves take 0.36 ms a step
        rig.link.CmdName = QStringLiteral("before");
        row.run(rig.dev);
        EXPECT_EQ(rig.Frames().join(QStringLiteral(", ")), QString::fromLatin1(row.frames));
        EXPECT_EQ(rig.link.CmdName, QString::fromLatin1(row.name));
        EXPECT_EQ(rig.link.LongTimeout, row.limit);
        EXPECT_TRUE(rig.op.messages.isEmpty());
        EXPECT_TRUE(rig.link.DeviceReady);
    }
}

TEST(Commands, MoveLimitsFollowTheStepTime) {
    LinkRig rig;
    rig.machine.MotorSpeedScale = 17; // P = 12 x 17 = 204
    rig.machine.LinkTime = 400;
    const std::pair<std::function<void(Device&)>, int> moves[] = {
        {[](Device& d) { EXPECT_TRUE(d.StepUp(100)); }, 4012},
        {[](Device& d) { EXPECT_TRUE(d.Left(100)); }, 2012},
        {[](Device& d) { EXPECT_TRUE(d.Right(100)); }, 2005}};
    for (const auto& [move, limit] : moves) {
        move(rig.dev);
        EXPECT_EQ(rig.link.LongTimeout, limit);
    }

    rig.machine.CurrentCol = 77;
    rig.machine.CurrentRow = 33;
    rig.dev.ResetError(1930, 2330);
    EXPECT_EQ(rig.link.LongTimeout, 44880);
    EXPECT_EQ(rig.link.CmdName, QStringLiteral("Reset eror"));
    EXPECT_TRUE(rig.Frames().last().startsWith(QStringLiteral("1B 00 00 00")));
    EXPECT_EQ(rig.op.service.value(ServiceField::SeqNoOrLimit), QStringLiteral("44880      44880"));
    EXPECT_EQ(rig.op.service.value(ServiceField::ResetField), QStringLiteral("2330    1930"));
    EXPECT_EQ(rig.machine.CurrentCol + rig.machine.CurrentRow, 0);
}

TEST(Commands, MoveCountsOutsideTwoBytesAreRefused) {
    LinkRig rig;
    EXPECT_TRUE(rig.Shown(rig.dev.StepUp(0))); // would otherwise go out as FF FF: 65536 steps
    EXPECT_FALSE(rig.Shown(rig.dev.StepUp(65536)));
    EXPECT_FALSE(rig.Shown(rig.dev.Right(100000)));
    EXPECT_FALSE(rig.Shown(rig.dev.Left(-3)));
    EXPECT_TRUE(rig.vc.Trace().empty());
    ASSERT_EQ(rig.op.messages.size(), 3);
    for (const char* part : {"StepUp", "65536", "65535"})
        EXPECT_TRUE(rig.op.messages[0].contains(QLatin1String(part))) << part;
    EXPECT_TRUE(rig.link.DeviceReady);

    EXPECT_TRUE(rig.dev.StepDown(65535));
    EXPECT_EQ(rig.Frames(), QStringList{QStringLiteral("1B 11 FF FE 0B")});
}

TEST(Commands, OffKeepsItsNumberForTheNextCommand) {
    LinkRig rig;
    rig.StartAt(5);
    rig.dev.Off();
    rig.dev.Up();
    EXPECT_EQ(rig.Frames(), QStringList({"1B FD 01 01 E3", "1B FF 01 01 E1"})); // both with 5
    EXPECT_EQ(rig.link.SeqNo, 6);
    EXPECT_TRUE(rig.op.messages.isEmpty());
    rig.StartAt(0); // stepping back from 0 goes round the ring
    rig.dev.Off();
    EXPECT_EQ(rig.link.SeqNo, 0);
}

TEST(Commands, SetStrikeWorkedCaseByteForByteThenALine) {
    LinkRig rig;
    rig.machine.MotorSpeedScale = 17; // P = 204
    rig.dev.SetRegister55();          // TickA 64
    rig.dev.SetRegister54();          // TickB 46
    EXPECT_TRUE(rig.StartAt(0).dev.SetStrike(StrikeLevelSet{{0, 14, 14, 14, 14}}));
    rig.dev.PrintLine(LineDirection::Forward, "1204");
    // SetStrike with 0, per level (8, 88) (7, 7) and (5, 7) (1, 7) with 1..8; the line with
    // 9 and its one data frame with 10, its end counted as 11.
    EXPECT_EQ(rig.Frames().mid(2),
              QStringList({"1B 44 01 01 5F", "08 58 07 07 51", "05 07 01 07 06", "08 58 07 07 53",
                           "05 07 01 07 00", "08 58 07 07 55", "05 07 01 07 02", "08 58 07 07 57",
                           "05 07 01 07 0C", "1B 21 00 04 37", "12 04 00 00 1C"}));
    EXPECT_EQ(rig.machine.ColumnTime, (std::array<int, 5>{527, 763, 763, 763, 763}));
    EXPECT_EQ(rig.link.SeqNo, 12);
    EXPECT_EQ(rig.machine.CurrentCol, 4);
    EXPECT_EQ(rig.vc.Workpiece(),
              (std::vector<sim::Strike>{{0, 0, 1, 14}, {0, 1, 2, 14}, {0, 3, 4, 14}}));
    EXPECT_TRUE(rig.op.messages.isEmpty());

    LinkRig nine;
    nine.dev.PrintLine(LineDirection::Forward, "123412341");
    EXPECT_EQ(nine.Frames(), QStringList({"1B 21 00 09 33", "12 34 12 34 01", "10 00 00 00 12"}));
}

TEST(Commands, SetStrikeWithoutAProfileSendsNothing) {
    LinkRig rig;
    rig.machine.MotorSpeed = 30;
    rig.machine.MotorSpeedScale = 20; // resolution index 4: P = 600
    rig.machine.ColumnTime = {1, 2, 3, 4, 5};
    // Force 2 leaves (600 - 4) div 2 = 298 for a phase.
    EXPECT_FALSE(rig.Shown(rig.dev.SetStrike(StrikeLevelSet{{0, 100, 2, 100, 100}})));
    EXPECT_TRUE(rig.vc.Trace().empty());
    ASSERT_EQ(rig.op.messages.size(), 1);
    for (const char* part :
         {"KnockHelth2", "\"16\"", "сила удара 2 ", "скорости двигателя 30", "298"})
        EXPECT_TRUE(rig.op.messages[0].contains(QString::fromUtf8(part))) << part;
    EXPECT_EQ(rig.machine.ColumnTime, (std::array<int, 5>{1, 2, 3, 4, 5}));
}

TEST(Commands, BackwardLineWithLowCountByteZeroIsGreetedFirst) {
    const struct {
        LineDirection direction;
        int dots;
        const char* frames; // the first two, cut to four bytes
    } rows[] = {
        {LineDirection::Backward, 256, "1B 01 00 00, 1B 20 01 00"},
        {LineDirection::Forward, 256, "1B 21 01 00, 11 11 11 11"},
        {LineDirection::Backward, 255, "1B 20 00 FF, 11 11 11 11"},
    };
    for (const auto& row : rows) {
        LinkRig rig;
        rig.machine.CurrentCol = 300;
        rig.dev.PrintLine(row.direction, QByteArray(row.dots, '1'));
        const QStringList frames = rig.Frames();
        EXPECT_EQ(frames[0].left(11) + ", " + frames[1].left(11), QLatin1String(row.frames));
    }
}

TEST(Commands, MonitorAndHowReadThePosition) {
    LinkRig rig;
    rig.dev.BeginPrint();            // the controller saves the position while a job runs
    EXPECT_TRUE(rig.dev.StepUp(10)); // five rows
    EXPECT_TRUE(rig.dev.Left(300));
    rig.tap.Wire();
    std::optional<HeadPosition> position = rig.dev.Monitor();
    ASSERT_TRUE(position.has_value());
    EXPECT_EQ(std::pair(position->column, position->row), std::pair(300, 5));
    EXPECT_EQ(rig.op.service.value(ServiceField::RealPosX), QStringLiteral("300"));
    // Four position bytes (rows in Y steps), each answered with 0A, then the end.
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >30 >00 >00 >28 <A3 >21 <53 "
                                             "<00 >0A <0A >0A <01 >0A <2C >0A <54"));

    position = rig.dev.How();
    ASSERT_TRUE(position.has_value());
    EXPECT_EQ(std::pair(position->column, position->row), std::pair(300, 5));

    rig.selfTest.StepControl = false; // the service values only under step control
    rig.op.service.clear();
    EXPECT_TRUE(rig.dev.Monitor().has_value());
    EXPECT_TRUE(rig.op.service.isEmpty());
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Commands, HowThatNeverGetsItsBytesIsALostLink) {
    LinkRig rig;
    rig.tap.SilenceAfterReads(2); // the acknowledgement and the first end byte
    EXPECT_FALSE(rig.dev.How().has_value());
    EXPECT_LE(rig.clock.MonotonicMs(), 10000);
    rig.ExpectLost(QStringLiteral("Устройство не отвечает How"));
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

TEST(Frames, AFrameIsAlwaysFiveBytes) {
    // A short code is padded with 0, a long one cut.
    EXPECT_EQ(CommandFrame(Bytes({0x1B, 0x37}), 2), Bytes({0x1B, 0x37, 0x00, 0x00, 0x2E}));
    EXPECT_EQ(CommandFrame(Bytes({0x1B, 0x39, 0x00, 0x00, 0x77}), 1),
              Bytes({0x1B, 0x39, 0x00, 0x00, 0x23}));
}

TEST(Frames, StrikeLinesArePaddedAndPackedTwoDotsAByte) {
    const struct {
        const char* digits;
        QByteArray packed;
    } rows[] = {
        {"", QByteArray()},
        {"0000000000000003", Bytes({0, 0, 0, 0, 0, 0, 0, 0x03})},
        // Only 1..4 strike; anything else is no strike.
        {"a4 x", Bytes({0x04, 0x00, 0x00, 0x00})},
        {"5678", Bytes({0x00, 0x00, 0x00, 0x00})},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PackLine(QByteArray(row.digits)).toHex(' '), row.packed.toHex(' ')) << row.digits;
}

TEST(StrikeProfiles, EachPhaseCaseInItsLevel) {
    // P = 12 at the start values, TickA 32, TickB 23.
    // level 1, F 5:   2F <= P       (8, 1) (7, 2) (5, 2) (1, 2)       T = 279   -> 30 + 130
    // level 2, F 10:  P < 2F, F <= P (7, 4) (8, 1) (5, 5) (1, 5)      T = 631   -> 68 + 130
    // level 3, F 12:  F = P          (7, 6) (8, 0) (5, 6) (1, 6)      T = 768   -> 83 + 130
    // level 4, F 200: F > P          (7, 100) (5, 94) (8, 6) (1, 100) T = 12746 -> 1382 + 130
    const StrikeProfiles p =
        BuildStrikeProfiles(StrikeLevelSet{{0, 5, 10, 12, 200}}, 12, 1, 32, 23);
    const QByteArray expected = Bytes({8, 1,   7, 2,  5, 2, 1, 2,     //
                                       7, 4,   8, 1,  5, 5, 1, 5,     //
                                       7, 6,   8, 0,  5, 6, 1, 6,     //
                                       7, 100, 5, 94, 8, 6, 1, 100}); //
    EXPECT_EQ(p.bytes.toHex(' '), expected.toHex(' '));
    EXPECT_EQ(p.columnTime, (std::array<int, 5>{59, 160, 198, 213, 1512}));
}

TEST(StrikeProfiles, ColumnTimeTruncatesExactlyAtWholeValues) {
    // P = 20 x 20 = 400, F = 0: (8, 200) and nothing else, so T = 200 x TickB; TickB 50
    // gives T = 10000, and 10000 x 100 x 0.001085 is exactly 1085.
    const StrikeProfiles p = BuildStrikeProfiles(StrikeLevelSet{}, 20, 20, 64, 50);
    EXPECT_EQ(p.columnTime[1], 1085 + 130);
    // 400 x 2.4375 + 30 = 1005 exactly.
    EXPECT_EQ(p.columnTime[0], 1005);
}

TEST(StrikeProfiles, DurationsAbove255HaveNoProfile) {
    // P = 510 with force 0 leaves 255: fine. P = 512 leaves 256: refused.
    EXPECT_TRUE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 30, 17));
    EXPECT_TRUE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{{0, 10, 20, 40, 200}}, 12, 17));
    EXPECT_FALSE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 32, 16));
    // The first level refused is told, "8" being level 1.
    EXPECT_EQ(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 32, 16).Message(),
              QStringLiteral("Нет профиля удара для уровня \"8\" (KnockHelth1): сила удара 0 не "
                             "подходит к скорости двигателя 32 (масштаб 16), длительность фазы "
                             "256 больше 255. Увеличьте силу удара или уменьшите скорость "
                             "двигателя."));
    // In the language file's words when it gives them.
    TextCatalogue english;
    english.SetLanguageLoaded(true);
    english.Define(*TextCatalogue::LanguageCode(TextKey::LinkNoStrikeProfile), "No profile: %1");
    EXPECT_EQ(CheckStrikeProfiles(english, StrikeLevelSet{}, 32, 16).Message(), "No profile: 8");
}

} // namespace
} // namespace zeb::testing
