// "ZebTone.ini": the last tone controls, back as written; anything else means neutral values
// with a message, and "Zeb.ini" is never touched.
#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/tone_levels_file.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::FilesIn;
using testing::ReadBytes;
using testing::WriteBytes;

TEST(ToneLevelsFile, WrittenValuesComeBackAndAMissingFileIsNeutral) {
    testing::ScopedStartDirectory dir;
    ToneLevelsLoad load = LoadToneLevels(dir.Path());
    EXPECT_TRUE(load.levels.Neutral());
    EXPECT_TRUE(load.problem.isEmpty());

    const ToneLevels levels{20, 230, 1.4, true};
    ASSERT_EQ(SaveToneLevels(dir.Path(), levels), QString());
    EXPECT_EQ(ReadBytes(dir.File("ZebTone.ini")), QByteArray("20\r\n230\r\n1.4\r\n1\r\n"));
    EXPECT_EQ(FilesIn(dir.Path()), QStringList{"ZebTone.ini"});
    load = LoadToneLevels(dir.Path());
    EXPECT_EQ(load.levels, levels);
    EXPECT_TRUE(load.problem.isEmpty());

    // A gamma that has no short decimal form still comes back as the same number.
    const ToneLevels third{0, 255, 1.0 / 3.0, false};
    ASSERT_EQ(SaveToneLevels(dir.Path(), third), QString());
    EXPECT_EQ(LoadToneLevels(dir.Path()).levels, third);
}

TEST(ToneLevelsFile, AnyOtherContentMeansNeutralWithAMessage) {
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* told; // part of the message
    };
    const Row rows[] = {
        {"three lines", "20\r\n230\r\n1.4\r\n", "3 строк"},
        {"five lines", "20\r\n230\r\n1.4\r\n1\r\n0\r\n", "больше 4"},
        {"black no number", "x\r\n230\r\n1.4\r\n1\r\n", "строка 1"},
        {"white no number", "20\r\n\r\n1.4\r\n1\r\n", "строка 2"},
        {"gamma with a comma", "20\r\n230\r\n1,4\r\n1\r\n", "строка 3"},
        {"invert as a word", "20\r\n230\r\n1.4\r\nyes\r\n", "строка 4"},
        {"black not below white", "230\r\n20\r\n1.4\r\n0\r\n", "меньше белой"},
        {"white above 255", "0\r\n300\r\n1\r\n0\r\n", "0..255"},
        {"gamma too small", "0\r\n255\r\n0.05\r\n0\r\n", "0.1..10"},
        {"empty", "", "0 строк"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::ScopedStartDirectory dir;
        WriteBytes(dir.File("ZebTone.ini"), row.bytes);
        const ToneLevelsLoad load = LoadToneLevels(dir.Path());
        EXPECT_TRUE(load.levels.Neutral());
        EXPECT_TRUE(load.problem.contains("ZebTone.ini")) << load.problem.toStdString();
        EXPECT_TRUE(load.problem.contains(QString::fromUtf8(row.told)))
            << load.problem.toStdString();
        EXPECT_EQ(ReadBytes(dir.File("ZebTone.ini")), row.bytes); // left as it was
        EXPECT_EQ(FilesIn(dir.Path()), QStringList{"ZebTone.ini"});
    }

    // Not a file at all: told, and not waited on.
    testing::ScopedStartDirectory dir;
    ASSERT_TRUE(QDir(dir.Path()).mkdir("ZebTone.ini"));
    const ToneLevelsLoad load = LoadToneLevels(dir.Path());
    EXPECT_TRUE(load.levels.Neutral());
    EXPECT_FALSE(load.problem.isEmpty());
    EXPECT_FALSE(SaveToneLevels(dir.Path(), ToneLevels{}).isEmpty());
}

} // namespace
} // namespace zeb
