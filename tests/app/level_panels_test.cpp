// The strike-level panels as the operator sees and works them: the rules of the levels are
// the core's; here the panels must show them and pass the operator's moves on.
#include "app/field_widget.h"
#include "app/window_probe.h"
#include "setup/strike_levels_helpers.h"

#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <array>
#include <functional>
#include <sys/stat.h>

namespace zeb::app {
namespace {

using testing::Settings;
using testing::WindowFixture;
using Levels = std::array<int, 4>; // as the panels show them: "32", "24", "16", "8"

Levels Shown(const StrikeLevelSet& set) {
    return {set[4], set[3], set[2], set[1]};
}

// The window shown, as the operator has it, from the settings file `settings`.
struct Panels {
    explicit Panels(const QByteArray& settings = Settings())
        : window(testing::WithFile("Zeb.ini", settings)) {
        form().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    TMenuForm& form() { return *window.form; }
    StrikeLevels& levels() { return form().State().Levels; }
    template <class W = QWidget>
    W* Get(const QString& name) {
        return testing::Find<W>(form(), name);
    }
    QSlider* Slider(int number) { return Get<QSlider>(QStringLiteral("TrackBar%1").arg(number)); }
    QString Text(const QString& label) { return Get<QLabel>(label)->text(); }
    bool Checked(const QString& name) { return Get<QAbstractButton>(name)->isChecked(); }
    void Click(const QString& name) { testing::Click(form(), name); }

    // "Гравировка".
    void Open() { form().Item("Print1")->trigger(); }

    WindowFixture window;
};

TEST(LevelPanels, EveryControlHasItsDesignNameLabelsShowPlainTextTheForceDialogKeeps) {
    Panels p;
    for (int n = 1; n <= 16; ++n)
        p.Slider(n);
    // Value and level labels of the four panels, level "32" first.
    for (int n : {8,  14, 15, 16, 10, 11, 12, 13, 21, 27, 28, 29, 23, 24, 25, 26,
                  38, 40, 42, 44, 36, 39, 41, 43, 49, 51, 53, 55, 48, 50, 52, 54})
        p.Get<QLabel>(QStringLiteral("Label%1").arg(n));
    for (int n = 1; n <= 10; ++n)
        p.Get<QRadioButton>(QStringLiteral("RadioButton%1").arg(n));
    for (const char* name : {"GroupRadBut", "IndRadBut", "GroupRadBut_2", "IndRadBut_2"})
        p.Get<QRadioButton>(name);
    // A language file's text is shown as it stands, never as markup.
    for (const char* panel :
         {"PrintReadyPanel", "PrintReadyPanel_2", "AbortWork1Panel", "AbortWork2Panel"})
        for (QLabel* label : p.Get(panel)->findChildren<QLabel*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(p.Slider(5)->minimum(), 0);
    EXPECT_EQ(p.Slider(6)->minimum(), 1);
    EXPECT_FALSE(p.Get("RadioButton5")->isEnabled()); // the second panel's quality mirrors

    // The strike force dialog keeps what it returns.
    int shown = -1;
    for (int next : {7, 2}) {
        p.window.answerer.On("StrikeHelth", [&shown, next](QDialog* dialog) {
            auto* slider = dialog->findChild<QSlider*>("KnockChange");
            shown = slider->value();
            slider->setValue(next);
            dialog->accept();
        });
        p.form().Item("StrikeForce1")->trigger();
        EXPECT_EQ(p.levels().SingleStrikeForce, next);
    }
    EXPECT_EQ(shown, 7) << "the second time it opens at the force kept";
}

TEST(LevelPanels, AtStartTheMainSlidersShowTheForcesReadElseTheirDesignPositions) {
    const struct {
        const char* name;
        std::function<void(const QString&)> files; // the start directory before the start
        const char* shown;                         // TrackBar1..8 and the labels Label8 .. Label29
        const char* modes;
    } cases[] = {
        {"operator's file",
         testing::WithFile("Zeb.ini",
                           Settings(0, true, "Ind  ", "120,90,60,30", "Group", "0,7,6,5"))
             .files,
         "120/90/60/30 0/7/6/5 (120)(90)(60)(30)(0)(7)(6)(5)", "Ind Group"},
        // Level "32" moved and derived 67 and 34, which the lines past 255 leave.
        {"forces past 255",
         testing::WithFile("Zeb.ini", Settings(0, true, "Group", "100,300,999,7")).files,
         "100/67/34/7 14/10/5/2 (100)(67)(34)(7)(14)(10)(5)(2)", "Group Ind"},
        {"no file", nullptr, "3/3/1/1 0/3/1/1 (1)(1)(1)(1)(1)(1)(1)(1)", "Group Group"},
        {"a pipe that is never read",
         [](const QString& dir) { ASSERT_EQ(mkfifo(qPrintable(dir + "/Zeb.ini"), 0600), 0); },
         "3/3/1/1 0/3/1/1 (1)(1)(1)(1)(1)(1)(1)(1)", "Group Group"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture::Setup setup;
        setup.files = c.files;
        WindowFixture window(setup);
        TMenuForm& form = *window.form;
        QStringList positions;
        QString labels;
        for (int first : {1, 5}) {
            QStringList pass;
            for (int n = first; n < first + 4; ++n)
                pass << QString::number(
                    testing::Find<QSlider>(form, QStringLiteral("TrackBar%1").arg(n))->value());
            positions << pass.join('/');
        }
        for (int n : {8, 14, 15, 16, 21, 27, 28, 29})
            labels += testing::Find<QLabel>(form, QStringLiteral("Label%1").arg(n))->text();
        EXPECT_EQ((positions.join(' ') + ' ' + labels).toStdString(), c.shown);
        const auto mode = [&form](const char* group) {
            return testing::Find<QRadioButton>(form, group)->isChecked() ? "Group" : "Ind";
        };
        EXPECT_EQ(
            QStringLiteral("%1 %2").arg(mode("GroupRadBut"), mode("GroupRadBut_2")).toStdString(),
            c.modes);
    }
}

TEST(LevelPanels, ASliderClampsAndActsOnlyWhenItsPositionChanges) {
    Panels p(Settings(0, true, "Ind  ", "14,10,5,2", "Ind  ", "14,10,5,2"));
    const struct {
        int slider, start, set, expected;
        bool acts;
    } cases[] = {
        {1, 14, 14, 14, false},
        {1, 14, 0, 1, true},
        {1, 1, 0, 1, false}, // clamped onto itself
        {1, 3, 255, 200, true},
        {5, 3, -7, 0, true}, // the second pass's "32" may be 0
        // Every other slider sets its own level: "24", "16", "8" of both passes.
        {2, 3, 60, 60, true},
        {3, 3, 61, 61, true},
        {4, 3, 62, 62, true},
        {6, 3, 63, 63, true},
        {7, 3, 64, 64, true},
        {8, 3, 0, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("TrackBar%1 to %2").arg(c.slider).arg(c.set).toStdString());
        QSlider* slider = p.Slider(c.slider);
        slider->setValue(c.start);
        // A force set behind the slider's back shows whether the slider acted.
        StrikeLevelSet& forces =
            c.slider <= 4 ? p.levels().FirstPassLevels : p.levels().SecondPassLevels;
        const int level = 4 - (c.slider - 1) % 4;
        forces[level] = 99;
        slider->setValue(c.set);
        EXPECT_EQ(slider->value(), c.expected);
        EXPECT_EQ(forces[level], c.acts ? c.expected : 99);
    }
}

TEST(LevelPanels, GroupModeDerivesTheLowerLevelsFromTheTopSliderAndQualityMarksBothPanels) {
    Panels p;
    p.Open();
    ASSERT_TRUE(p.Get("PrintReadyPanel")->isVisible());
    for (const char* lower : {"TrackBar2", "TrackBar4", "Label11", "Label16"})
        EXPECT_FALSE(p.Get(lower)->isEnabled()) << lower;

    p.Slider(1)->setValue(3); // the operator drags it
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{3, 2, 1, 1}));
    EXPECT_EQ(p.Slider(2)->value(), 2);
    EXPECT_EQ(p.Text("Label8") + p.Text("Label14") + p.Text("Label15") + p.Text("Label16"),
              "(3)(2)(1)(1)");
    // The checked group button clicked again changes nothing: the mode-switch rule would
    // give 3, 1, 1, 1.
    p.Click("GroupRadBut");
    EXPECT_TRUE(p.Checked("GroupRadBut"));
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{3, 2, 1, 1}));
    EXPECT_EQ(p.Slider(2)->value(), 2);

    p.Slider(1)->setFocus();
    QTest::keyClick(p.Slider(1), Qt::Key_End);
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{200, 134, 68, 18}));
    EXPECT_EQ(p.Text("Label16"), "(18)");
    EXPECT_EQ(Shown(p.levels().SecondPassLevels), (Levels{14, 10, 5, 2})); // the other pass

    // In individual mode each slider sets its own level.
    p.Click("IndRadBut");
    p.Slider(1)->setValue(120);
    p.Slider(3)->setValue(40);
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{120, 134, 40, 18}));

    // The quality choice marks both panels and the menu, and colours the choice.
    const QColor red(Qt::red);
    for (const auto& [click, high] : {std::pair{"RadioButton1", true}, {"RadioButton2", false}}) {
        SCOPED_TRACE(click);
        p.Click(click);
        EXPECT_EQ(p.Checked("RadioButton5"), high);
        EXPECT_EQ(p.Checked("RadioButton6"), !high);
        EXPECT_EQ(p.form().Item("Qual2")->isChecked(), !high);
        EXPECT_EQ(p.Get("RadioButton1")->palette().color(QPalette::WindowText) == red, high);
        EXPECT_EQ(p.Get("RadioButton6")->palette().color(QPalette::WindowText) == red, !high);
    }
    // The hidden menu item keeps its mark when chosen again and leaves the buttons alone.
    for (int twice = 0; twice < 2; ++twice)
        p.form().Item("Qual1")->trigger();
    EXPECT_TRUE(p.form().Item("Qual1")->isChecked());
    EXPECT_FALSE(p.form().Item("Qual2")->isChecked());
    EXPECT_TRUE(p.Checked("RadioButton2"));
}

TEST(LevelPanels, GravirovkaSetsTheSlidersModesAndPictureKindFromTheHeldValues) {
    Panels p(Settings(0, false));
    // Forces set behind the sliders' back, as a recovery sets them.
    p.levels().FirstPassLevels = Forces(100, 84, 48, 45);
    p.levels().SecondPassLevels = Forces(0, 7, 6, 5);
    p.Slider(7)->setEnabled(false); // whatever the panel showed before
    ASSERT_TRUE(p.Checked("RadioButton10"));
    p.Open();
    EXPECT_EQ((Levels{p.Slider(5)->value(), p.Slider(6)->value(), p.Slider(7)->value(),
                      p.Slider(8)->value()}),
              (Levels{0, 7, 6, 5}));
    EXPECT_TRUE(p.Slider(7)->isEnabled()); // the second pass is individual
    EXPECT_TRUE(p.Checked("RadioButton9"));
    EXPECT_FALSE(p.Checked("RadioButton10"));
    // Group mode: the level-"32" slider moves first and re-derives the lower levels, which
    // the lower sliders then take.
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{100, 67, 34, 9}));
    EXPECT_FALSE(p.Slider(2)->isEnabled());
    EXPECT_EQ(p.Slider(10)->value(), 67);
}

TEST(LevelPanels, SwitchingToGroupAppliesTheModeRuleOnce) {
    const struct {
        const char* forces;
        Levels derived;
    } cases[] = {{"14,90,80,70", {14, 10, 5, 2}}, {"3,90,80,70", {3, 1, 1, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.forces);
        Panels p(Settings(0, true, "Ind  ", c.forces, "Group", "7,6,5,4"));
        // The loaded settings show on the sliders and mode buttons.
        EXPECT_EQ(p.Slider(3)->value(), 80);
        EXPECT_EQ(p.Slider(8)->value(), 4);
        EXPECT_TRUE(p.Checked("GroupRadBut_2"));
        p.Open();
        ASSERT_TRUE(p.Get("TrackBar3")->isEnabled());

        p.Click("GroupRadBut");
        EXPECT_TRUE(p.Checked("GroupRadBut"));
        EXPECT_EQ(Shown(p.levels().FirstPassLevels), c.derived);
        EXPECT_EQ(p.Slider(3)->value(), c.derived[2]);
        EXPECT_EQ(p.Text("Label14"), QStringLiteral("(%1)").arg(c.derived[1]));
        for (const char* lower : {"TrackBar3", "Label12"})
            EXPECT_FALSE(p.Get(lower)->isEnabled()) << lower;

        p.Click("IndRadBut");
        EXPECT_TRUE(p.Get("TrackBar4")->isEnabled());
        EXPECT_EQ(Shown(p.levels().FirstPassLevels), c.derived);
    }
}

TEST(LevelPanels, DoublePassShowsTheSecondPanelAtTheFirstOnesTopAndCancelHidesBoth) {
    Panels p(Settings(0, true, "Group", "14,10,5,2", "Group"));
    p.Open();
    p.Get("PrintReadyPanel")->move(5, 40);
    p.Get("PrintReadyPanel_2")->move(250, 300);
    p.Click("SecondWork");
    ASSERT_TRUE(p.Get("PrintReadyPanel_2")->isVisible());
    // Beside the first, at its top.
    QWidget* first = p.Get("PrintReadyPanel");
    EXPECT_EQ(p.Get("PrintReadyPanel_2")->pos(), QPoint(first->geometry().right() + 6, 40));
    EXPECT_TRUE(p.levels().DoublePassPending);

    p.Slider(5)->setFocus();
    QTest::keyClick(p.Slider(5), Qt::Key_Home);
    EXPECT_EQ(p.Slider(5)->value(), 0);
    EXPECT_EQ(Shown(p.levels().SecondPassLevels), (Levels{0, 1, 1, 1}));
    EXPECT_EQ(p.Text("Label21") + p.Text("Label27"), "(0)(1)");
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{14, 10, 5, 2}));

    p.Click("SecondWork");
    EXPECT_FALSE(p.Get("PrintReadyPanel_2")->isVisible());
    EXPECT_FALSE(p.levels().DoublePassPending);

    // Either panel's cancel hides both and gives the menus back; the tick stays for the next
    // opening, which shows both panels again.
    p.Click("SecondWork");
    for (const char* cancel : {"BitBtn1", "BitBtn2"}) {
        SCOPED_TRACE(cancel);
        ASSERT_TRUE(p.Get("PrintReadyPanel_2")->isVisible());
        ASSERT_FALSE(p.form().TopMenu(2)->isEnabled());
        p.Click(cancel);
        EXPECT_FALSE(p.Get("PrintReadyPanel")->isVisible());
        EXPECT_FALSE(p.Get("PrintReadyPanel_2")->isVisible());
        for (int menu : {0, 2, 3, 4, 6}) // the shown ones of menus 0..6
            EXPECT_TRUE(p.form().TopMenu(menu)->isEnabled()) << menu;
        EXPECT_TRUE(p.form().Image1()->isEnabled());
        EXPECT_TRUE(p.levels().DoublePassPending);
        p.Open();
    }
}

} // namespace
} // namespace zeb::app
