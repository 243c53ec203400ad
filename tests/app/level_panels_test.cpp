// The strike-level panels as the operator sees and works them: the rules of the levels are
// the core's; here the panels must show them and pass the operator's moves on.
#include "app/field_widget.h"
#include "app/window_probe.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <array>

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

TEST(LevelPanels, EveryModelControlHasItsWidgetAndLabelsShowPlainText) {
    Panels p;
    const StrikeLevelControls controls = p.levels().Controls();
    for (const auto& [name, model] : controls.trackBars)
        EXPECT_NE(p.Get<QSlider>(name), nullptr);
    for (const auto& [name, model] : controls.labels)
        EXPECT_NE(p.Get<QLabel>(name), nullptr);
    for (const auto& [name, model] : controls.radioButtons)
        EXPECT_NE(p.Get<QRadioButton>(name), nullptr);
    // A language file's text is shown as it stands, never as markup.
    for (const char* panel :
         {"PrintReadyPanel", "PrintReadyPanel_2", "AbortWork1Panel", "AbortWork2Panel"})
        for (QLabel* label : p.Get(panel)->findChildren<QLabel*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(p.Slider(5)->minimum(), 0);
    EXPECT_EQ(p.Slider(6)->minimum(), 1);
    EXPECT_FALSE(p.Get("RadioButton5")->isEnabled()); // the second panel's quality mirrors
}

TEST(LevelPanels, GroupModeDerivesTheLowerLevelsFromTheTopSlider) {
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

TEST(LevelPanels, TheInterruptedJobSliderChangesTheForcesAtOnce) {
    Panels p(Settings(0, true, "Ind  "));
    // What STOP does during the first pass of a single-pass job.
    p.levels().SetUpAbortPanel(false);
    p.levels().AbortWork1Panel.SetVisible(true);
    p.levels().AbortPanel.SetVisible(true);
    ASSERT_TRUE(p.Get("AbortWork1Panel")->isVisible());
    EXPECT_TRUE(p.Checked("RadioButton4")); // follows IndRadBut
    EXPECT_EQ(p.Slider(12)->value(), 2);

    p.Slider(9)->setValue(40);
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{40, 10, 5, 2}));
    EXPECT_EQ(p.Text("Label38"), "(40)");
    EXPECT_EQ(p.Text("Label8"), "(14)"); // the engraving panel shows it when next opened
    p.Open();
    EXPECT_EQ(p.Slider(1)->value(), 40);
    EXPECT_EQ(p.Text("Label8"), "(40)");
}

TEST(LevelPanels, QualityChoiceMarksBothPanelsAndTheMenuAndColoursTheChoice) {
    Panels p;
    p.Open();
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

TEST(LevelPanels, DoublePassShowsTheSecondPanelAtTheFirstOnesTopWhereLevel32MayBeZero) {
    Panels p(Settings(0, true, "Group", "14,10,5,2", "Group"));
    p.Open();
    p.Get("PrintReadyPanel")->move(5, 40);
    p.Get("PrintReadyPanel_2")->move(250, 300);
    p.Click("SecondWork");
    ASSERT_TRUE(p.Get("PrintReadyPanel_2")->isVisible());
    EXPECT_EQ(p.Get("PrintReadyPanel_2")->pos(), QPoint(250, 40));
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
}

TEST(LevelPanels, CancelHidesBothPanelsAndGivesTheMenusBack) {
    for (const char* cancel : {"BitBtn1", "BitBtn2"}) {
        SCOPED_TRACE(cancel);
        Panels p;
        p.Open();
        p.Click("SecondWork");
        ASSERT_FALSE(p.form().TopMenu(2)->isEnabled());
        p.Click(cancel);
        EXPECT_FALSE(p.Get("PrintReadyPanel")->isVisible());
        EXPECT_FALSE(p.Get("PrintReadyPanel_2")->isVisible());
        for (int menu : {0, 2, 3, 4, 6}) // the shown ones of menus 0..6
            EXPECT_TRUE(p.form().TopMenu(menu)->isEnabled()) << menu;
        EXPECT_TRUE(p.form().Image1()->isEnabled());
        EXPECT_TRUE(p.levels().DoublePassPending) << "stays ticked for the next opening";
    }
}

TEST(LevelPanels, TheStrikeForceDialogKeepsWhatItReturns) {
    Panels p;
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

} // namespace
} // namespace zeb::app
