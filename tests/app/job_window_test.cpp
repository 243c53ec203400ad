// The engraving job in the offscreen window, through its real menus and buttons: the whole
// road to the last strike, STOP and continue, the fault dialog, and the unfinished job offered
// at start.
#include "app/field_widget.h"
#include "app/link_wait.h"
#include "app/window_probe.h"
#include "job/estimate.h"
#include "job/job_plan_strikes.h"
#include "job/job_runner.h"
#include "job/progress_record.h"
#include "job/recovery_file.h"
#include "setup/strike_levels_helpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace zeb::app {
namespace {

using testing::Find;
using testing::OpenPicture;
using testing::WindowFixture;

bool WaitForJobEnd(TMenuForm& form) {
    return QTest::qWaitFor([&form] { return !form.Timers().Running(TimerId::Optimizing); }, 20000);
}

// The dots the job's plan file strikes, at the picture's place on the field.
auto JobPlanDots(const WindowFixture& window) {
    const Session& s = window.form->State();
    return testing::PlannedDots(testing::ReadFile(window.dir.File("123123123.txt")),
                                s.Place.PictureOffsetX, s.Place.PictureOffsetY);
}

TEST(JobWindow, TheWholeRoadFromGravirovkaToTheLastStrike) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    // Enough strikes for seconds of estimate.
    QImage picture(40, 24, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    OpenPicture(window, picture);
    s.Levels.FirstPassLevels = Forces(40, 30, 20, 10);

    form.Item("Print1")->trigger();
    auto* panel = Find<QFrame>(form, "PrintReadyPanel");
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(Find<QFrame>(form, "PrintReadyPanel_2")->isHidden());
    for (int position = 0; position <= 6; ++position)
        EXPECT_FALSE(form.TopMenu(position)->isEnabled()) << position;
    // What the window shows as the lines go, each line taking 5 s of the job's clock.
    std::vector<int> gauge;
    QStringList rests, statuses;
    auto* gauge1 = form.findChild<QProgressBar*>("Gauge1");
    ASSERT_NE(gauge1, nullptr);
    QObject::connect(gauge1, &QProgressBar::valueChanged, &form, [&](int value) {
        gauge.push_back(value);
        rests << Find<QLabel>(form, "Label37")->text();
        statuses << testing::StatusLine(form);
        window.clock.Advance(5000);
    });

    Find<QPushButton>(form, "Button17")->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_TRUE(Find<QLabel>(form, "Label37")->text().startsWith("Длительность работы: "));
    EXPECT_TRUE(Find<QLabel>(form, "Label35")->text().startsWith("Время завершения работы: "));
    ASSERT_TRUE(WaitForJobEnd(form));

    const auto planned = JobPlanDots(window);
    ASSERT_FALSE(planned.empty());
    EXPECT_EQ(window.controller.Workpiece().size(), planned.size());
    for (const auto& [dot, digit] : planned)
        EXPECT_EQ(s.View.Image1.pixel(dot.second, dot.first), 0xFFFF0000u)
            << dot.first << "," << dot.second;
    // After the job the menus stay locked but for "Помощь"; STOP is gone.
    for (int position = 0; position <= 6; ++position)
        EXPECT_FALSE(form.TopMenu(position)->isEnabled()) << position;
    EXPECT_TRUE(form.TopMenu(7)->isEnabled());
    EXPECT_FALSE(form.Item("STOP")->isVisible());
    EXPECT_FALSE(form.Image1()->isEnabled());
    EXPECT_FALSE(QFile::exists(window.dir.File("ErorFile.txt")));
    EXPECT_TRUE(QTest::qWaitFor([&form] { return !form.Timers().Running(TimerId::Timer2); }));
    EXPECT_TRUE(window.answerer.messages.isEmpty());

    // The gauge went up line by line to the end; the rest was estimated anew on the way.
    ASSERT_GT(gauge.size(), 3u);
    EXPECT_TRUE(std::is_sorted(gauge.begin(), gauge.end()));
    EXPECT_EQ(gauge.back(), gauge1->maximum());
    EXPECT_EQ(statuses.front(), "Гравировка: проход 1 из 1");
    QStringList shown = rests.filter(QRegularExpression("^Осталось: \\d\\d:\\d\\d:\\d\\d$"));
    shown.removeDuplicates();
    EXPECT_GE(shown.size(), 2) << rests.join(" | ").toStdString();
    EXPECT_EQ(Find<QLabel>(form, "Label37")->text(), "Осталось: 00:00:00");
    EXPECT_TRUE(Find<QLabel>(form, "Label35")->text().startsWith("Время завершения работы: "));
    EXPECT_EQ(testing::StatusLine(form),
              "Работа завершена за " + DurationClockText(qint64(gauge.size()) * 5 * 100'000));
}

// Counts what reaches a widget while the line is in use.
class DuringWaits final : public QObject {
public:
    DuringWaits(const SerialLine& line, QWidget* widget) : m_line(line) {
        widget->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_line.Waiting())
            ++paints;
        return QObject::eventFilter(watched, event);
    }

private:
    const SerialLine& m_line;
};

// A strike line takes its time on the machine. Meanwhile the window paints, every timer's tick
// and a click wait until the line has ended (nothing else starts on the line), and STOP is
// heard at once but pauses the job only after the line. New forces on the panel then hold
// for the rest of the job.
TEST(JobWindow, PaintsWhileALineIsStruckAndStartsNothingElseOnTheLine) {
    WindowFixture::Setup atPace;
    atPace.options.timeScale = 1; // the machine's own durations, on the virtual clock
    WindowFixture window(std::move(atPace));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    form.show();
    OpenPicture(window);
    SerialLine& line = s.Dev.Line();
    DuringWaits counter(line, form.Image1());
    QPushButton probe(QStringLiteral("probe"));
    probe.show();
    int clicks = 0;
    QObject::connect(&probe, &QPushButton::clicked, [&clicks] { ++clicks; });
    auto click = [&probe] {
        const QPointF at(2, 2);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(&probe, new QMouseEvent(type, at, probe.mapToGlobal(at),
                                                                Qt::LeftButton, Qt::LeftButton,
                                                                Qt::NoModifier));
    };
    auto* abort = Find<QFrame>(form, "AbortPanel");
    int slices = 0;
    int commandsStarted = 0;
    bool stopped = false;
    QString statusAtStop;
    bool abortShownInALine = false;
    const std::function<void()> pump = line.WhileWaitingHook();
    ASSERT_TRUE(pump);
    line.SetWhileWaiting([&] {
        ++slices;
        const int entry = s.Link.CommandLogIndex;
        const quint8 seq = s.Link.SeqNo;
        form.Image1()->update();
        click();
        for (TimerId id : {TimerId::Optimizing, TimerId::Timer2, TimerId::Timer3,
                           TimerId::CrushTimer, TimerId::Timer4})
            form.Timers().Tick(id);
        if (!stopped && form.Item("STOP")->isEnabled() &&
            window.controller.Workpiece().size() > 5) {
            stopped = true;
            form.Item("STOP")->trigger();
            statusAtStop = Find<QPlainTextEdit>(form, "Memo1")->toPlainText();
        }
        pump();
        commandsStarted += s.Link.CommandLogIndex != entry || s.Link.SeqNo != seq;
        abortShownInALine |= !abort->isHidden();
    });
    form.Item("Print1")->trigger();
    Find<QPushButton>(form, "Button17")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return abort->isVisible(); }, 20000))
        << slices << " slices, stopped " << stopped << ", struck "
        << window.controller.Workpiece().size() << ", started " << commandsStarted;

    EXPECT_GT(slices, 0);
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(commandsStarted, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(statusAtStop.contains(QStringLiteral("Работа остановится после текущей строки")))
        << statusAtStop.toStdString();
    EXPECT_FALSE(abortShownInALine);
    EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));
    EXPECT_FALSE(form.Item("STOP")->isVisible());
    EXPECT_EQ(abort->pos(), QPoint(20, 10));
    // Outside a wait the same click arrives. Of the keys only STOP's gets through a wait.
    click();
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(LinkWaitPump::HeldBack(QKeyEvent(QEvent::KeyPress, Qt::Key_Delete, {})));
    EXPECT_TRUE(LinkWaitPump::HeldBack(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {})));

    // New forces on the first-pass half, each level on its own slider. Continued, the job
    // ends with every planned dot struck once, the rest with the new forces.
    const size_t struck = window.controller.Workpiece().size();
    Find<QRadioButton>(form, "RadioButton4")->click();
    const int forces[] = {60, 50, 24, 8}; // levels "32", "24", "16", "8"
    for (int i = 0; i < 4; ++i)
        Find<QSlider>(form, QStringLiteral("TrackBar%1").arg(9 + i))->setValue(forces[i]);
    Find<QPushButton>(form, "Button27")->click();
    EXPECT_TRUE(abort->isHidden());
    ASSERT_TRUE(WaitForJobEnd(form));
    EXPECT_FALSE(QFile::exists(window.dir.File("ErorFile.txt")));
    const auto& workpiece = window.controller.Workpiece();
    EXPECT_EQ(workpiece.size(), JobPlanDots(window).size());
    ASSERT_GT(workpiece.size(), struck);
    for (size_t i = struck; i < workpiece.size(); ++i)
        EXPECT_EQ(workpiece[i].force, forces[4 - workpiece[i].profile]) << "strike " << i;
}

TEST(JobWindow, ALostLinkShowsTheFaultDialogAndKeepsTheJob) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    int faultShown = 0;
    window.answerer.On("Form4", [&faultShown](QDialog* dialog) {
        ++faultShown;
        dialog->close();
    });
    OpenPicture(window);
    form.Item("Print1")->trigger();
    Find<QPushButton>(form, "Button17")->click();
    window.controller.SetSilent(true);

    ASSERT_TRUE(WaitForJobEnd(form));
    EXPECT_TRUE(QTest::qWaitFor([&faultShown] { return faultShown == 1; }));
    EXPECT_TRUE(QFile::exists(window.dir.File("ErorFile.txt")));
    EXPECT_FALSE(form.Item("STOP")->isVisible());
    EXPECT_TRUE(testing::StatusLine(form).startsWith("Связь потеряна через 00:00:"));
}

// "Гравировка", then "Работа", then plan lines carried by hand until STOP is offered, and
// STOP: nothing runs between the steps of a test. With `secondPass` the first pass is carried
// to its end first.
void StopTheJob(TMenuForm& form, bool secondPass = false) {
    Session& s = form.State();
    Find<QPushButton>(form, "Button17")->click();
    ASSERT_TRUE(form.Timers().Running(TimerId::Optimizing));
    for (int tick = 0; tick < 10000; ++tick) {
        const TickResult result = RunNextPlanLine(s).result;
        if (!secondPass || result == TickResult::SecondPassStarted)
            break;
        ASSERT_EQ(result, TickResult::LineDone);
    }
    ASSERT_TRUE(form.Item("STOP")->isEnabled());
    form.Item("STOP")->trigger();
    ASSERT_FALSE(form.Timers().Running(TimerId::Optimizing));
}

QSlider* Slider(TMenuForm& form, int number) {
    return Find<QSlider>(form, QStringLiteral("TrackBar%1").arg(number));
}

TEST(JobWindow, TheAbortPanelShowsTheHalvesThePassNeeds) {
    const struct {
        const char* name;
        bool doublePass, inSecondPass, half1Enabled, half2Shown;
    } rows[] = {
        {"single pass", false, false, true, false},
        {"first of two", true, false, true, true},
        {"second pass", true, true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // Individual mode: each slider shows its own force (group mode derives them).
        WindowFixture window(testing::WithFile(
            "Zeb.ini", testing::Settings(0, true, "Ind  ", "40,30,20,10", "Ind  ", "16,12,8,4")));
        TMenuForm& form = *window.form;
        OpenPicture(window);
        form.Item("Print1")->trigger();
        if (row.doublePass)
            Find<QCheckBox>(form, "SecondWork")->click();
        StopTheJob(form, row.inSecondPass);
        EXPECT_FALSE(Find<QFrame>(form, "AbortPanel")->isHidden());
        EXPECT_FALSE(Find<QFrame>(form, "AbortWork1Panel")->isHidden());
        EXPECT_EQ(Find<QFrame>(form, "AbortWork1Panel")->isEnabled(), row.half1Enabled);
        EXPECT_EQ(!Find<QFrame>(form, "AbortWork2Panel")->isHidden(), row.half2Shown);
        EXPECT_EQ(Slider(form, 9)->value(), 40);
        if (row.half2Shown) {
            EXPECT_EQ(Slider(form, 16)->value(), 4);
        }
    }
}

// STOP sets the halves from the modes and the forces held; a continue the forces refuse then
// keeps the panel up, and "Завершить работу" closes it.
TEST(JobWindow, StopSetsTheHalvesFromTheModesAndTheForcesHeldAndARefusedContinueKeepsThem) {
    WindowFixture window(testing::WithFile("Zeb.ini", testing::Settings()));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    OpenPicture(window);
    form.Item("Print1")->trigger();
    // Forces set behind the sliders' back, as a recovery sets them.
    s.Levels.FirstPassLevels = Forces(30, 20, 10, 5);
    s.Levels.SecondPassLevels = Forces(40, 30, 20, 10);
    StopTheJob(form);
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioButton3")->isChecked()); // as GroupRadBut
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioButton8")->isChecked()); // as IndRadBut_2
    EXPECT_FALSE(Slider(form, 10)->isEnabled());
    // TrackBar9 moved in group mode, so the lower levels follow the slider rule.
    EXPECT_EQ(s.Levels.FirstPassLevels, Forces(30, 20, 10, 2));
    EXPECT_EQ(Slider(form, 12)->value(), 2);
    EXPECT_EQ(Slider(form, 13)->value(), 14); // second half not shown: left alone

    auto* abort = Find<QFrame>(form, "AbortPanel");
    s.Machine.MotorSpeed = 40; // P = 640: a force of 1 has no profile
    s.Levels.FirstPassLevels = Forces(200, 200, 200, 1);
    Find<QPushButton>(form, "Button27")->click();
    EXPECT_EQ(window.answerer.messages.size(), 1);
    EXPECT_FALSE(abort->isHidden());
    Find<QPushButton>(form, "Button28")->click();
    EXPECT_TRUE(abort->isHidden());
    EXPECT_FALSE(s.Link.DeviceReady);
    EXPECT_TRUE(testing::StatusLine(form).startsWith("Работа прервана через 00:00:"));
}

TEST(JobWindow, TheInterruptedJobSliderChangesTheForcesAtOnce) {
    WindowFixture window(
        testing::WithFile("Zeb.ini", testing::Settings(0, true, "Ind  ", "100,20,10,5")));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    OpenPicture(window);
    form.Item("Print1")->trigger();
    StopTheJob(form);
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioButton4")->isChecked()); // follows IndRadBut

    // The half's group button only disables its lower levels; then its level "32" derives.
    Find<QRadioButton>(form, "RadioButton3")->click();
    EXPECT_EQ(s.Levels.FirstPassLevels, Forces(100, 20, 10, 5));
    for (const char* lower : {"TrackBar10", "TrackBar12", "Label39", "Label44"})
        EXPECT_FALSE(Find(form, lower)->isEnabled()) << lower;
    Find<QRadioButton>(form, "RadioButton4")->click();
    EXPECT_TRUE(Slider(form, 11)->isEnabled());
    Find<QRadioButton>(form, "RadioButton3")->click();
    Slider(form, 9)->setValue(14);
    EXPECT_EQ(s.Levels.FirstPassLevels, Forces(14, 10, 6, 1));
    EXPECT_EQ(Slider(form, 10)->value(), 10);

    Find<QRadioButton>(form, "RadioButton4")->click();
    Slider(form, 9)->setValue(40);
    EXPECT_EQ(s.Levels.FirstPassLevels, Forces(40, 10, 6, 1));
    EXPECT_EQ(Find<QLabel>(form, "Label38")->text(), "(40)");
    EXPECT_EQ(Find<QLabel>(form, "Label8")->text(), "(100)"); // shown when next opened
    form.Item("Print1")->trigger();
    EXPECT_EQ(Slider(form, 1)->value(), 40);
    EXPECT_EQ(Find<QLabel>(form, "Label8")->text(), "(40)");
}

// A job interrupted before its first strike: the plan and recovery file it left.
void LayOutUnfinishedJob(const QString& dir) {
    testing::WriteFile(dir + "/123123123.txt",
                       "\r\nGoTo:      3     4\r\nDown: \r\nKnock: 1234\r\nUp  : \r\n");
    RecoveryRecord record;
    record.picturePath = dir + "/gone.bmp";
    record.offsetX = 100;
    record.offsetY = 50;
    record.firstPass = Forces(40, 30, 20, 10);
    ASSERT_TRUE(WriteRecoveryFile(dir, record));
}

// Without a machine at start the device menus are locked, the port menus usable, and an
// unfinished job is kept for later rather than offered.
TEST(JobWindow, WithoutAMachineTheDeviceMenusAreLockedAndTheUnfinishedJobWaits) {
    WindowFixture::Setup setup;
    setup.files = LayOutUnfinishedJob;
    setup.machine = [](sim::VirtualController& vc) { vc.SetSilent(true); };
    WindowFixture window(setup);
    TMenuForm& form = *window.form;
    EXPECT_FALSE(form.State().Link.DeviceReady);
    EXPECT_EQ(form.State().Machine.LinkTime, 400);
    EXPECT_EQ(window.answerer.messages, QStringList({"Устройство не отвечает Hi_Test"}));
    // "Работа" and "Установки" locked; "Файл", "Порт" and "Тест" usable.
    for (int position : {0, 2, 3, 4, 6})
        EXPECT_EQ(form.TopMenu(position)->isEnabled(), position != 2 && position != 3) << position;
    EXPECT_FALSE(form.Timers().Running(TimerId::Timer4));
    EXPECT_FALSE(window.answerer.unexpected.contains("Form1"));
    EXPECT_TRUE(form.State().Unfinished.Pending);
}

TEST(JobWindow, FinishingTheUnfinishedJobWarmsUpAndStrikesTheRest) {
    WindowFixture::Setup setup;
    setup.files = LayOutUnfinishedJob;
    WindowFixture window(setup);
    TMenuForm& form = *window.form;
    window.answerer.On("Form1", [](QDialog* dialog) {
        dialog->findChild<QSpinBox*>("SpinEdit4")->setValue(1);
        dialog->findChild<QPushButton*>("Button1")->click();
    });
    form.Item("N5")->trigger(); // "Тест" offers the job again

    ASSERT_TRUE(
        QTest::qWaitFor([&window] { return window.controller.Workpiece().size() == 4; }, 20000));
    ASSERT_TRUE(WaitForJobEnd(form));
    EXPECT_EQ(window.controller.WarmUpStrikes(), 60);
    EXPECT_EQ(window.controller.Workpiece()[0].row, 53);
    EXPECT_EQ(window.controller.Workpiece()[0].column, 104);
    EXPECT_FALSE(QFile::exists(window.dir.File("ErorFile.txt")));
    // The rest of the plan was counted down to its end.
    EXPECT_EQ(Find<QLabel>(form, "Label37")->text(), "Осталось: 00:00:00");
    EXPECT_TRUE(testing::StatusLine(form).startsWith("Работа завершена за "));
}

TEST(JobWindow, ANewJobReplacesAnUnfinishedOneOnlyWhenConfirmed) {
    for (bool yes : {false, true}) {
        WindowFixture::Setup setup;
        setup.files = LayOutUnfinishedJob;
        WindowFixture window(setup);
        TMenuForm& form = *window.form;
        OpenPicture(window);
        const QByteArray plan = testing::ReadFile(window.dir.File("123123123.txt"));
        const QByteArray recovery = testing::ReadFile(window.dir.File("ErorFile.txt"));
        window.answerer.messages.clear();
        window.answerer.confirmYes = yes;

        form.Item("Print1")->trigger();
        Find<QPushButton>(form, "Button17")->click();

        ASSERT_EQ(window.answerer.messages.size(), 1);
        EXPECT_TRUE(window.answerer.messages[0].contains("gone.bmp"));
        if (yes) {
            ASSERT_TRUE(WaitForJobEnd(form));
            EXPECT_NE(testing::ReadFile(window.dir.File("123123123.txt")), plan);
            EXPECT_FALSE(window.controller.Workpiece().empty());
        } else {
            EXPECT_EQ(testing::ReadFile(window.dir.File("123123123.txt")), plan);
            EXPECT_EQ(testing::ReadFile(window.dir.File("ErorFile.txt")), recovery);
            EXPECT_TRUE(window.controller.Workpiece().empty());
            EXPECT_TRUE(form.TopMenu(0)->isEnabled());
        }
    }
}

TEST(JobWindow, APictureOutsideTheFieldStartsOnlyWhenConfirmed) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Да" : "Нет");
        WindowFixture window;
        TMenuForm& form = *window.form;
        Session& s = form.State();
        OpenPicture(window);
        s.Place.PictureOffsetX = -8; // dragged over the left edge: its bars begin at 3
        window.answerer.confirmYes = yes;
        form.Item("Print1")->trigger();
        const size_t sent = window.controller.Trace().size();

        Find<QPushButton>(form, "Button17")->click();

        ASSERT_EQ(window.answerer.messages.size(), 1);
        EXPECT_TRUE(window.answerer.messages[0].startsWith(
            "Изображение выходит за рабочее поле: слева на 0.2 см. Такую работу нельзя будет "
            "продолжить после прерывания"));
        EXPECT_TRUE(window.answerer.messages[0].endsWith("Начать работу?"));
        if (yes) {
            ASSERT_TRUE(WaitForJobEnd(form));
            const auto struck = window.controller.Workpiece();
            EXPECT_TRUE(std::any_of(struck.begin(), struck.end(),
                                    [](const auto& dot) { return dot.column < 0; }));
            continue;
        }
        EXPECT_EQ(testing::SentSince(window, sent), QStringList());
        EXPECT_EQ(QDir(window.dir.Path()).entryList({"*.txt"}), QStringList());
        // As before "Работа": the panel open, the menus held for the job.
        EXPECT_FALSE(Find<QFrame>(form, "PrintReadyPanel")->isHidden());
        EXPECT_FALSE(form.TopMenu(0)->isEnabled());
        EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));
    }
}

// The job named from its files, with a progress record three plan lines in; dropped only
// when "Да" confirms it, while "Нет" leaves the dialog open and every file in place.
TEST(JobWindow, TheUnfinishedJobIsNamedAndDroppedOnlyWhenConfirmed) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        WindowFixture::Setup setup;
        setup.files = [](const QString& dir) {
            LayOutUnfinishedJob(dir);
            const Result<RecoveryRecord> record = ReadRecoveryFile(TextCatalogue(), dir);
            ASSERT_TRUE(record);
            const QByteArray plan = testing::ReadFile(dir + "/123123123.txt");
            ASSERT_TRUE(
                WriteProgressRecord(dir, {1, 3, true, PlanDigest(plan), JobDigest(*record)}));
            QFile progress(dir + "/ErorProgress.txt");
            ASSERT_TRUE(progress.open(QIODevice::ReadWrite));
            ASSERT_TRUE(progress.setFileTime(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)),
                                             QFileDevice::FileModificationTime));
        };
        WindowFixture window(setup);
        window.answerer.confirmYes = yes;
        QString shown;
        int offers = 0;
        window.answerer.On("Form1", [&shown, &offers](QDialog* dialog) {
            if (offers++ > 0)
                return dialog->reject();
            shown = dialog->findChild<QLabel*>("JobLabel")->text();
            dialog->findChild<QRadioButton*>("IgnoreButton")->setChecked(true);
            // Queued: the question it asks is answered by the same poll that is running now.
            QMetaObject::invokeMethod(dialog->findChild<QPushButton*>("Button1"),
                                      &QPushButton::click, Qt::QueuedConnection);
        });
        window.form->Item("N5")->trigger();

        EXPECT_EQ(shown, "Картинка: " + window.dir.File("gone.bmp") +
                             "\nПроход 1: выполнено строк плана 3 из 5"
                             "\nСилы удара \"32\", \"24\", \"16\", \"8\": 40, 30, 20, 10"
                             "\nРабота шла до: 05.03.2026 14:07:09");
        ASSERT_FALSE(window.answerer.messages.isEmpty());
        EXPECT_TRUE(window.answerer.messages.last().startsWith(
            "Удалить файлы незавершённой работы (" + window.dir.File("ErorFile.txt")));
        EXPECT_EQ(offers, yes ? 1 : 2);
        EXPECT_EQ(window.form->State().Unfinished.Pending, !yes);
        if (yes) {
            EXPECT_TRUE(QTest::qWaitFor(
                [&window] { return !QFile::exists(window.dir.File("ErorFile.txt")); }, 5000));
        } else {
            EXPECT_FALSE(window.form->Timers().Running(TimerId::Timer3)); // nothing to drop
            for (const char* file : {"ErorFile.txt", "ErorProgress.txt", "123123123.txt"})
                EXPECT_TRUE(QFile::exists(window.dir.File(file))) << file;
        }
        EXPECT_TRUE(window.controller.Workpiece().empty());
        EXPECT_TRUE(QFile::exists(window.dir.File("123123123.txt")));
    }
}

} // namespace
} // namespace zeb::app
