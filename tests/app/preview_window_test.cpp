// "Предпросмотр" in the offscreen window: the job planned in memory and shown with its counts,
// its estimate and the replay of its strike order, while no file of the start directory
// changes and nothing reaches the machine; and the view's zoom and pan.
#include "app/preview_view.h"
#include "app/preview_window.h"
#include "app/window_probe.h"
#include "job/estimate.h"
#include "job/job_preview.h"
#include "setup/strike_levels_helpers.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>

#include <map>

namespace zeb::app {
namespace {

using testing::Find;
using testing::WindowFixture;

// Every file of the start directory with its bytes.
std::map<QString, QByteArray> Files(const WindowFixture& window) {
    std::map<QString, QByteArray> files;
    const QDir dir(window.dir.Path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        files[name] = testing::ReadFile(dir.filePath(name));
    return files;
}

PreviewWindow* ShownPreview(TMenuForm& form) {
    auto* preview = form.findChild<PreviewWindow*>("PreviewWindow");
    return preview && preview->isVisible() ? preview : nullptr;
}

TEST(PreviewWindow, ShowsBothPassesWithoutWritingOrSendingAndReplaysTheStrikeOrder) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    testing::OpenPicture(window);
    s.Levels.FirstPassLevels = Forces(40, 30, 20, 10);
    s.Levels.SecondPassLevels = Forces(60, 50, 40, 30);
    form.Item("Print1")->trigger();
    testing::Click(form, "SecondWork");
    ASSERT_TRUE(s.Levels.DoublePassPending);
    const auto filesBefore = Files(window);
    const size_t sentBefore = window.controller.Trace().size();
    auto* button = Find<QPushButton>(form, "PreviewButton");
    ASSERT_TRUE(button->isEnabled());

    // While it plans, the window handles its events: then no button of the panels is usable.
    QStringList usableWhileBuilding;
    bool seenBuilding = false;
    QTimer::singleShot(0, &form, [&] {
        seenBuilding = true;
        for (const char* name : {"Button17", "BitBtn1", "PreviewButton", "Button19", "BitBtn2"})
            if (Find<QPushButton>(form, name)->isEnabled())
                usableWhileBuilding << name;
    });
    button->click();
    EXPECT_TRUE(seenBuilding);
    EXPECT_EQ(usableWhileBuilding, QStringList());
    for (const char* name : {"Button17", "BitBtn1", "PreviewButton"})
        EXPECT_TRUE(Find<QPushButton>(form, name)->isEnabled()) << name;

    PreviewWindow* preview = ShownPreview(form);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(window.answerer.messages.isEmpty());
    const Result<JobPreview> planned = PreviewJob(s);
    ASSERT_TRUE(planned);
    const JobPreview& expected = *planned;
    ASSERT_EQ(expected.passes.size(), 2u);
    ASSERT_GE(expected.lines.size(), 3u);
    EXPECT_GT(expected.passes[0].units, 0);

    auto* counts = preview->findChild<QTableWidget*>("PreviewCounts");
    ASSERT_EQ(counts->columnCount(), 2);
    for (int pass = 0; pass < 2; ++pass) {
        const PassPreview& p = expected.passes[static_cast<size_t>(pass)];
        qint64 total = 0;
        for (int row = 0; row < 4; ++row) {
            const qint64 dots = p.dots[static_cast<size_t>(4 - row)];
            total += dots;
            EXPECT_EQ(counts->item(row, pass)->text(), QString::number(dots)) << pass << row;
        }
        EXPECT_GT(total, 0);
        EXPECT_EQ(counts->item(4, pass)->text(), QString::number(total));
        EXPECT_EQ(counts->item(5, pass)->text(), QString::number(p.strikeLines));
        EXPECT_EQ(counts->item(6, pass)->text(), ClockText(p.units));
    }
    EXPECT_EQ(preview->findChild<QLabel*>("PreviewDuration")->text(),
              DurationTextsFor(expected.units, s.Time.Now()).duration);

    auto* view = preview->findChild<PreviewView*>("PreviewView");
    const QImage whole = PreviewPicture(expected);
    EXPECT_EQ(view->Picture(), whole);
    auto* slider = preview->findChild<QSlider*>("ReplaySlider");
    const int lineCount = static_cast<int>(expected.lines.size());
    EXPECT_EQ(slider->maximum(), lineCount);
    EXPECT_EQ(slider->value(), lineCount);
    const QImage wholeOnScreen = view->grab().toImage();

    // Back to the start, then one line on: exactly what that line strikes, path and all.
    slider->setValue(0);
    EXPECT_EQ(view->Picture(), NewStrikePicture(expected.frame));
    const QImage startOnScreen = view->grab().toImage();
    EXPECT_NE(startOnScreen, wholeOnScreen);
    slider->setValue(1);
    QImage oneLine = NewStrikePicture(expected.frame);
    DrawPreviewLines(oneLine, expected, 0, 1);
    EXPECT_EQ(view->Picture(), oneLine);
    EXPECT_NE(oneLine, whole);
    EXPECT_NE(view->grab().toImage(), startOnScreen);
    EXPECT_TRUE(preview->findChild<QLabel*>("ReplayText")
                    ->text()
                    .startsWith(QStringLiteral("Строк ударов: 1 из %1, время: %2 из ")
                                    .arg(lineCount)
                                    .arg(ClockText(expected.lines[0].doneUnits))));
    slider->setValue(lineCount);
    EXPECT_EQ(view->Picture(), whole);
    EXPECT_EQ(view->grab().toImage(), wholeOnScreen);

    // Not a byte written, not a command sent.
    EXPECT_EQ(Files(window), filesBefore);
    EXPECT_EQ(window.controller.Trace().size(), sentBefore);
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
}

TEST(PreviewWindow, WithoutAPictureTheButtonWaitsAndRefusedForcesAreTold) {
    {
        WindowFixture window;
        window.form->Item("Print1")->trigger();
        EXPECT_FALSE(Find<QPushButton>(*window.form, "PreviewButton")->isEnabled());
    }
    WindowFixture window;
    TMenuForm& form = *window.form;
    testing::OpenPicture(window);
    form.Item("Print1")->trigger();
    // A force beyond every slider's range: the job start would refuse it, so does the preview.
    form.State().Levels.FirstPassLevels = Forces(250, 30, 20, 10);
    Find<QPushButton>(form, "PreviewButton")->click();
    EXPECT_EQ(window.answerer.messages.size(), 1);
    EXPECT_EQ(ShownPreview(form), nullptr);
    EXPECT_TRUE(Find<QPushButton>(form, "Button17")->isEnabled());
}

TEST(PreviewWindow, DotsOffTheFieldAreCountedAndDrawnOnItsEdge) {
    // The letters' struck dots begin at column 3 of the picture: moved 6 or 12 to the left,
    // some lie at negative field columns.
    for (const int offsetX : {0, -6, -12}) {
        WindowFixture window;
        TMenuForm& form = *window.form;
        Session& s = form.State();
        testing::OpenPicture(window);
        s.Place.PictureOffsetX = offsetX;
        s.Place.PictureOffsetY = 0;
        form.Item("Print1")->trigger();
        Find<QPushButton>(form, "PreviewButton")->click();
        PreviewWindow* preview = ShownPreview(form);
        ASSERT_NE(preview, nullptr) << offsetX;
        const qint64 offField = PreviewJob(s)->offField;
        EXPECT_EQ(offField > 0, offsetX < 0) << offsetX;
        auto* label = preview->findChild<QLabel*>("PreviewOffField");
        EXPECT_EQ(label->isHidden(), offField == 0) << offsetX;
        if (offField > 0) {
            EXPECT_TRUE(
                label->text().startsWith(QStringLiteral("Точек вне поля: %1 ").arg(offField)))
                << label->text().toStdString();
        }
        // Not dropped: the picture's first column holds what lies beyond it.
        const QImage& picture = preview->findChild<PreviewView*>("PreviewView")->Picture();
        bool edgeStruck = false;
        for (int row = 0; row < picture.height(); ++row)
            edgeStruck = edgeStruck || qGray(picture.pixel(0, row)) > 0;
        EXPECT_EQ(edgeStruck, offField > 0) << offsetX;
    }
}

TEST(PreviewWindow, TheViewFitsZoomsAroundThePointerAndPans) {
    const TextCatalogue texts;
    PreviewWindow preview(texts);
    JobPreview job;
    job.frame = {100, 400}; // 400 dots wide, 100 high
    preview.ShowPreview(job, NewStrikePicture(job.frame), QDateTime());
    preview.resize(1000, 700);
    preview.show();
    auto* view = preview.findChild<PreviewView*>("PreviewView");
    const QSizeF shown = QSizeF(400, 100) * view->Scale();
    // The wide picture fills the width but for a margin of 8 on each side, and is centred.
    EXPECT_DOUBLE_EQ(shown.width(), view->width() - 16);
    EXPECT_LE(shown.height(), view->height() - 16);
    EXPECT_DOUBLE_EQ(view->Origin().x(), 8);
    EXPECT_DOUBLE_EQ(2 * view->Origin().y() + shown.height(), view->height());

    QTest::mouseClick(preview.findChild<QPushButton*>("ActualSizeButton"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view->Scale(), 1.0);

    // One notch up zooms by a quarter; the dot under the pointer stays where it is.
    const QPointF pointer(120, 90);
    const QPointF dot = (pointer - view->Origin()) / view->Scale();
    QWheelEvent wheel(pointer, view->mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_DOUBLE_EQ(view->Scale(), 1.25);
    EXPECT_NEAR(view->Origin().x() + dot.x() * 1.25, pointer.x(), 1e-9);
    EXPECT_NEAR(view->Origin().y() + dot.y() * 1.25, pointer.y(), 1e-9);

    const QPointF before = view->Origin();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(view, QPoint(80, 30));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(80, 30));
    EXPECT_EQ(view->Origin() - before, QPointF(30, -20));

    QTest::mouseClick(preview.findChild<QPushButton*>("FitButton"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(400 * view->Scale(), view->width() - 16);
}

} // namespace
} // namespace zeb::app
