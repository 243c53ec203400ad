// The tone controls on the Open road in the offscreen window: the values entered in
// "Portret_Properties" reach the conversion and "ZebTone.ini", the live dots follow them, the
// reset returns to neutral, and values that are not neutral stand in the status line.
#include "app/picture_dialogs.h"
#include "app/tone_controls.h"
#include "app/window_probe.h"
#include "common/recording_operator.h"
#include "picture/tone_preview.h"
#include "setup/tone_levels_file.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace zeb::app {
namespace {

using testing::WindowFixture;

// A 64 x 48 photo whose red value rises from left to right, in the start directory.
QString GradientPicture(const WindowFixture& window) {
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, 90, 30));
    const QString path = window.dir.File("gradient.png");
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
}

// The dot picture the core gives for the photo under `levels`, the diffusion conversion.
QImage CoreDots(const QString& path, const ToneLevels& levels) {
    testing::RecordingOperator op;
    StandaloneOpen open(op);
    open.picture.Tone = levels;
    OpenCommandDialogs dialogs;
    dialogs.runOpenDialog = [path] { return std::optional<QString>(path); };
    EXPECT_TRUE(OpenPicture(open.ctx, dialogs));
    return open.picture.WorkPicture;
}

template <class W>
W* In(QDialog* dialog, const char* name) {
    W* widget = dialog->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

ToneLevels Shown(QDialog* form5) {
    return {In<QSpinBox>(form5, "ToneBlack")->value(), In<QSpinBox>(form5, "ToneWhite")->value(),
            In<QDoubleSpinBox>(form5, "ToneGamma")->value(),
            In<QCheckBox>(form5, "ToneInvert")->isChecked()};
}

QImage ShownDots(QDialog* form5) {
    return In<QLabel>(form5, "ToneDots")
        ->pixmap()
        .toImage()
        .convertToFormat(QImage::Format_Grayscale8);
}

// The window's note, in the catalogue so a language file can translate it, says in Russian
// exactly what the command-line tool prints.
TEST(ToneControls, TheNoteIsTheOneTheToolPrints) {
    const TextCatalogue builtIn;
    for (const ToneLevels& levels : {ToneLevels{}, ToneLevels{20, 230, 1.4, false},
                                     ToneLevels{0, 255, 1.0, true}, ToneLevels{5, 6, 0.1, true}}) {
        SCOPED_TRACE(ToneLevelsText(levels).toStdString());
        EXPECT_EQ(ToneNote(builtIn, levels), ToneLevelsText(levels));
    }
    EXPECT_TRUE(ToneNote(builtIn, ToneLevels{}).isEmpty());
}

TEST(ToneControls, ValuesEnteredReachTheConversionTheFileAndTheStatusLine) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    const QString path = GradientPicture(window);
    const ToneLevels entered{40, 200, 1.4, true};
    ToneLevels shownAtOpen{1, 2, 3, false};
    QImage neutralDots;
    QImage enteredDots;
    QImage expectedDots;
    testing::AnswerOpen(window, path, [&](QDialog* d) {
        shownAtOpen = Shown(d);
        neutralDots = ShownDots(d);
        In<QSpinBox>(d, "ToneBlack")->setValue(entered.black);
        In<QSpinBox>(d, "ToneWhite")->setValue(entered.white);
        In<QDoubleSpinBox>(d, "ToneGamma")->setValue(entered.gamma);
        In<QCheckBox>(d, "ToneInvert")->click();
        enteredDots = ShownDots(d);
        // The live dots are those of the photo's reduced copy, as the core converts it.
        expectedDots =
            TonePreview(s.Picture, QSize(240, 180)).DotPicture(entered, s.Picture.Mode(), s.Tables);
    });
    form.Item("Open")->trigger();
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
    EXPECT_EQ(shownAtOpen, ToneLevels{});
    ASSERT_FALSE(enteredDots.isNull());
    EXPECT_EQ(enteredDots, expectedDots);
    EXPECT_NE(enteredDots, neutralDots);

    EXPECT_EQ(s.Picture.Tone, entered);
    const QImage neutral = CoreDots(path, ToneLevels{});
    const QImage toned = CoreDots(path, entered);
    EXPECT_NE(toned, neutral);
    EXPECT_EQ(s.Picture.WorkPicture, toned);
    EXPECT_EQ(testing::ReadFile(window.dir.File("ZebTone.ini")), "40\r\n200\r\n1.4\r\n1\r\n");
    EXPECT_EQ(testing::StatusLine(form), "Изображение готово. " + ToneLevelsText(entered));
    EXPECT_TRUE(window.answerer.messages.isEmpty());
}

TEST(ToneControls, KeptValuesStandAtStartAndAtOpenAndTheResetMakesThemNeutral) {
    WindowFixture window(testing::WithFile("ZebTone.ini", "20\r\n230\r\n1.4\r\n1\r\n"));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    const ToneLevels kept{20, 230, 1.4, true};
    EXPECT_EQ(s.Picture.Tone, kept);
    EXPECT_TRUE(testing::StatusLine(form).endsWith(ToneLevelsText(kept)))
        << testing::StatusLine(form).toStdString();

    const QString path = GradientPicture(window);
    ToneLevels shownAtOpen;
    ToneLevels afterReset{1, 2, 3, false};
    testing::AnswerOpen(window, path, [&](QDialog* d) {
        shownAtOpen = Shown(d);
        QTest::mouseClick(In<QPushButton>(d, "ToneReset"), Qt::LeftButton);
        afterReset = Shown(d);
    });
    form.Item("Open")->trigger();
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
    EXPECT_EQ(shownAtOpen, kept);
    EXPECT_EQ(afterReset, ToneLevels{});
    EXPECT_EQ(s.Picture.Tone, ToneLevels{});
    EXPECT_EQ(s.Picture.WorkPicture, CoreDots(path, ToneLevels{}));
    EXPECT_EQ(testing::ReadFile(window.dir.File("ZebTone.ini")), "0\r\n255\r\n1\r\n0\r\n");
    EXPECT_EQ(testing::StatusLine(form), "Изображение готово");
}

TEST(ToneControls, AFileThatCannotBeTakenIsToldAndNeutralValuesStand) {
    WindowFixture window(testing::WithFile("ZebTone.ini", "20\r\n10\r\n1.4\r\n1\r\n"));
    EXPECT_EQ(window.form->State().Picture.Tone, ToneLevels{});
    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].contains("ZebTone.ini"));
}

} // namespace
} // namespace zeb::app
