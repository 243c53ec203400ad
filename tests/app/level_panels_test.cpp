// The strike-level panels as the operator sees and works them: texts, sliders, group and
// individual modes, quality, picture kind, double pass, "Отмена", the interrupted-job halves
// and the strike-force dialog.
#include "app/field_widget.h"
#include "common/window_fixture.h"
#include "job/session.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringEncoder>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

namespace zeb::app {
namespace {

using testing::WindowFixture;
using Levels = std::array<int, 4>; // as the panels show them: "32", "24", "16", "8"

Levels Shown(const StrikeLevelSet& set) {
    return {set[4], set[3], set[2], set[1]};
}

// A settings file with the given modes ("Group" or "Ind  ") and forces of both passes.
QByteArray SettingsFile(const char* firstMode, Levels first, const char* secondMode, Levels second,
                        bool portrait = true) {
    QByteArray text;
    auto pass = [&](const char* mode, Levels forces) {
        text += QByteArray(mode) + "\r\n";
        for (int i = 0; i < 4; ++i)
            text +=
                "KnKHel" + QByteArray::number(4 - i) + "-" + QByteArray::number(forces[i]) + "\r\n";
    };
    pass(firstMode, first);
    pass(secondMode, second);
    text += "com1\r\n1930\r\n2330\r\n0\r\n12\r\n8\r\n";
    text += portrait ? "1\r\n" : "0\r\n";
    return text;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

WindowFixture::Setup WithFiles(std::function<void(const QString& dir)> files) {
    WindowFixture::Setup setup;
    setup.files = std::move(files);
    return setup;
}

WindowFixture::Setup WithSettings(QByteArray settings) {
    return WithFiles([settings](const QString& dir) { WriteFile(dir + "/Zeb.ini", settings); });
}

// The window shown, as the operator has it.
struct Panels {
    explicit Panels(WindowFixture::Setup setup = {}) : window(std::move(setup)) {
        form().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    TMenuForm& form() { return *window.form; }
    StrikeLevels& levels() { return form().State().Levels; }

    template <class W = QWidget>
    W* Get(const QString& name) {
        W* widget = form().centralWidget()->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QSlider* Slider(int number) { return Get<QSlider>(QStringLiteral("TrackBar%1").arg(number)); }
    QString Text(const QString& label) { return Get<QLabel>(label)->text(); }

    // What "Гравировка" does before the operator sees the panel.
    void Open() {
        levels().SyncLevelPanels();
        levels().PrintReadyPanel.SetVisible(true);
        form().LockForJob();
    }

    // An operator's click on a radio button or check box: on its indicator at the left.
    void Click(const QString& name) {
        auto* button = Get<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    WindowFixture window;
};

TEST(LevelPanels, ControlsStandInTheirPanelsWithTheirTexts) {
    Panels p;
    const struct {
        const char* panel;
        const char* name;
        const char* text;
    } controls[] = {
        {"PrintReadyPanel", "Label5", "Свойства гравирования"},
        {"PrintReadyPanel", "Label6", "Качество гравирования"},
        {"PrintReadyPanel", "RadioButton1", "Высокое   (односторонний проход)"},
        {"PrintReadyPanel", "RadioButton2", "Стандарт  (двухсторонний проход)"},
        {"PrintReadyPanel", "RadioButton10", "Портрет (качество)"},
        {"PrintReadyPanel", "RadioButton9", "Текст (ускорение)"},
        {"PrintReadyPanel", "Label17", "Уровни"},
        {"PrintReadyPanel", "GroupRadBut", "Групповая установка уровней"},
        {"PrintReadyPanel", "IndRadBut", "Индивидуальная установка уровней"},
        {"PrintReadyPanel", "Label9", "Уровень яркости"},
        {"PrintReadyPanel", "Label7", "Сила удара"},
        {"PrintReadyPanel", "Label10", "32"},
        {"PrintReadyPanel", "Label13", "8"},
        {"PrintReadyPanel", "SecondWork", "Двойной проход"},
        {"PrintReadyPanel", "Button17", "Работа"},
        {"PrintReadyPanel", "BitBtn1", "Отмена"},
        {"PrintReadyPanel_2", "Label19", "Второй проход"},
        {"PrintReadyPanel_2", "Label31", "Качество гравирования"},
        {"PrintReadyPanel_2", "RadioButton5", "Высокое   (односторонний проход)"},
        {"PrintReadyPanel_2", "RadioButton6", "Стандарт   (двухсторонний проход)"},
        {"PrintReadyPanel_2", "Label30", "Уровни"},
        {"PrintReadyPanel_2", "GroupRadBut_2", "Групповая установка уровней"},
        {"PrintReadyPanel_2", "IndRadBut_2", "Индивидуальная установка уровней"},
        {"PrintReadyPanel_2", "Label22", "Уровень яркости"},
        {"PrintReadyPanel_2", "Label20", "Сила удара"},
        {"PrintReadyPanel_2", "Label24", "24"},
        {"PrintReadyPanel_2", "Button19", "Работа"},
        {"PrintReadyPanel_2", "BitBtn2", "Отмена"},
        {"AbortWork1Panel", "Label45", "Работа прервана"},
        {"AbortWork1Panel", "Label57", "Первый проход"},
        {"AbortWork1Panel", "RadioButton3", "Групповая установка уровней"},
        {"AbortWork1Panel", "RadioButton4", "Индивидуальная установка уровней"},
        {"AbortWork1Panel", "Label41", "16"},
        {"AbortWork1Panel", "Button27", "Продолжить работу"},
        {"AbortWork1Panel", "Button28", "Завершить работу"},
        {"AbortWork2Panel", "Label56", "Работа прервана"},
        {"AbortWork2Panel", "Label58", "Второй проход"},
        {"AbortWork2Panel", "RadioButton7", "Групповая установка уровней"},
        {"AbortWork2Panel", "RadioButton8", "Индивидуальная установка уровней"},
        {"AbortWork2Panel", "Label48", "32"},
        {"AbortWork2Panel", "Button30", "Продолжить работу"},
        {"AbortWork2Panel", "Button31", "Завершить работу"},
    };
    for (const auto& c : controls) {
        QWidget* widget = p.Get(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), c.panel) << c.name;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << c.name;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        }
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.name;
    }
    for (int n = 1; n <= 16; ++n) {
        const char* panel[] = {"PrintReadyPanel", "PrintReadyPanel_2", "AbortWork1Panel",
                               "AbortWork2Panel"};
        EXPECT_EQ(p.Slider(n)->parentWidget()->objectName(), panel[(n - 1) / 4]) << n;
        EXPECT_EQ(p.Slider(n)->orientation(), Qt::Horizontal) << n;
        EXPECT_EQ(p.Slider(n)->minimum(), n == 5 ? 0 : 1) << n;
        EXPECT_EQ(p.Slider(n)->maximum(), 200) << n;
    }
    // The force labels are green; the second panel's quality only mirrors the first.
    EXPECT_EQ(p.Get<QLabel>("Label8")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(p.Get<QLabel>("Label55")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_FALSE(p.Get("RadioButton5")->isEnabled());
    EXPECT_FALSE(p.Get("RadioButton6")->isEnabled());
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton10")->isChecked());
    for (const char* panel : {"PrintReadyPanel", "PrintReadyPanel_2", "AbortPanel"})
        EXPECT_FALSE(p.Get(panel)->isVisible()) << panel;
}

TEST(LevelPanels, ALanguageFileRenamesPanelControlsByName) {
    Panels p(WithFiles([](const QString& dir) {
        QStringEncoder encode("Windows-1251");
        WriteFile(dir + "/english.lng",
                  encode(QStringLiteral("0131=Engraving\r\n 431=Standard\r\n  91=Stopped\r\n"
                                        "  96=Go on\r\n1231=Force\r\n")));
    }));
    EXPECT_EQ(p.Text("Label5"), "Engraving");
    EXPECT_EQ(p.Get<QRadioButton>("RadioButton2")->text(), "Standard");
    EXPECT_EQ(p.Get<QRadioButton>("RadioButton6")->text(), "Standard");
    EXPECT_EQ(p.Text("Label45"), "Stopped");
    EXPECT_EQ(p.Text("Label56"), "Stopped");
    EXPECT_EQ(p.Get<QPushButton>("Button27")->text(), "Go on");
    EXPECT_EQ(p.Get<QPushButton>("Button30")->text(), "Go on");
    EXPECT_EQ(p.Text("Label7"), "Force");
    EXPECT_EQ(p.Text("Label20"), "Force");
    EXPECT_EQ(p.Text("Label19"), "Второй проход"); // not in the file
}

TEST(LevelPanels, LoadedSettingsShowOnTheSlidersAndModeButtons) {
    Panels p(WithSettings(SettingsFile("Ind  ", {50, 40, 30, 20}, "Group", {7, 6, 5, 4})));
    const int expected[] = {50, 40, 30, 20, 7, 6, 5, 4};
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(p.Slider(n)->value(), expected[n - 1]) << "TrackBar" << n;
    EXPECT_EQ(p.Text("Label8"), "(50)");
    EXPECT_EQ(p.Text("Label29"), "(4)");
    EXPECT_TRUE(p.Get<QRadioButton>("IndRadBut")->isChecked());
    EXPECT_FALSE(p.Get<QRadioButton>("GroupRadBut")->isChecked());
    EXPECT_TRUE(p.Get<QRadioButton>("GroupRadBut_2")->isChecked());
}

TEST(LevelPanels, GroupModeDerivesTheLowerLevelsFromTheTopSlider) {
    Panels p(WithSettings(SettingsFile("Group", {14, 10, 5, 2}, "Ind  ", {14, 10, 5, 2})));
    p.Open();
    ASSERT_TRUE(p.Get("PrintReadyPanel")->isVisible());
    for (const char* lower : {"TrackBar2", "TrackBar4", "Label11", "Label16"})
        EXPECT_FALSE(p.Get(lower)->isEnabled()) << lower;

    p.Slider(1)->setValue(3); // the operator drags it
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{3, 2, 1, 1}));
    EXPECT_EQ(p.Slider(2)->value(), 2);
    EXPECT_EQ(p.Slider(3)->value(), 1);
    EXPECT_EQ(p.Slider(4)->value(), 1);
    EXPECT_EQ(
        QStringList({p.Text("Label8"), p.Text("Label14"), p.Text("Label15"), p.Text("Label16")}),
        QStringList({"(3)", "(2)", "(1)", "(1)"}));

    p.Slider(1)->setFocus();
    QTest::keyClick(p.Slider(1), Qt::Key_End);
    EXPECT_EQ(p.Slider(1)->value(), 200);
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{200, 134, 68, 18}));
    EXPECT_EQ(p.Slider(2)->value(), 134);
    EXPECT_EQ(p.Text("Label15"), "(68)");
    EXPECT_EQ(p.Text("Label16"), "(18)");
}

TEST(LevelPanels, SwitchingToGroupAppliesTheModeRuleOnce) {
    const struct {
        int top;
        Levels forces;
    } cases[] = {{14, {14, 10, 5, 2}}, {3, {3, 1, 1, 1}}};
    for (const auto& c : cases) {
        Panels p(WithSettings(SettingsFile("Ind  ", {c.top, 90, 80, 70}, "Ind  ", {9, 9, 9, 9})));
        p.Open();
        ASSERT_TRUE(p.Get("TrackBar3")->isEnabled());
        p.Click("GroupRadBut");
        EXPECT_TRUE(p.levels().PrintReady.Group.Checked()) << c.top;
        EXPECT_EQ(Shown(p.levels().FirstPassLevels), c.forces) << c.top;
        EXPECT_EQ(p.Slider(3)->value(), c.forces[2]) << c.top;
        EXPECT_EQ(p.Text("Label14"), QStringLiteral("(%1)").arg(c.forces[1])) << c.top;
        for (const char* lower : {"TrackBar2", "TrackBar3", "TrackBar4", "Label11", "Label12",
                                  "Label13", "Label14", "Label15", "Label16"})
            EXPECT_FALSE(p.Get(lower)->isEnabled()) << lower;
        EXPECT_TRUE(p.Get("TrackBar1")->isEnabled());

        p.Click("IndRadBut");
        EXPECT_TRUE(p.Get("TrackBar4")->isEnabled()) << c.top;
        EXPECT_TRUE(p.Get("Label13")->isEnabled()) << c.top;
        EXPECT_EQ(Shown(p.levels().FirstPassLevels), c.forces) << c.top;
        EXPECT_TRUE(p.window.answerer.unexpected.isEmpty());
    }
}

TEST(LevelPanels, ClickingTheCheckedGroupButtonChangesNothing) {
    // Group mode with forces that no group rule gives: only a real switch would re-derive.
    Panels p(WithSettings(SettingsFile("Group", {14, 3, 3, 3}, "Group", {14, 3, 3, 3})));
    p.Open();
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{14, 3, 3, 3}));
    p.Click("GroupRadBut");
    EXPECT_TRUE(p.Get<QRadioButton>("GroupRadBut")->isChecked());
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{14, 3, 3, 3}));
    EXPECT_EQ(p.Slider(2)->value(), 3);
}

TEST(LevelPanels, TheSecondPassTopLevelMayBeZero) {
    Panels p(WithSettings(SettingsFile("Group", {14, 10, 5, 2}, "Group", {14, 10, 5, 2})));
    p.Open();
    p.Click("SecondWork");
    ASSERT_TRUE(p.Get("PrintReadyPanel_2")->isVisible());
    QSlider* top = p.Slider(5);
    top->setFocus();
    QTest::keyClick(top, Qt::Key_Home);
    EXPECT_EQ(top->value(), 0);
    EXPECT_EQ(Shown(p.levels().SecondPassLevels), (Levels{0, 1, 1, 1}));
    EXPECT_EQ(p.Text("Label21"), "(0)");
    EXPECT_EQ(p.Text("Label27"), "(1)");
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{14, 10, 5, 2}));
}

TEST(LevelPanels, TheInterruptedJobSliderChangesTheForcesAtOnce) {
    Panels p(WithSettings(SettingsFile("Ind  ", {14, 10, 5, 2}, "Group", {14, 10, 5, 2})));
    // What STOP does during the first pass of a single-pass job.
    p.levels().SetUpAbortPanel(false);
    p.levels().AbortWork1Panel.SetVisible(true);
    p.levels().AbortPanel.SetVisible(true);
    ASSERT_TRUE(p.Get("AbortWork1Panel")->isVisible());
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton4")->isChecked()); // follows IndRadBut
    EXPECT_EQ(p.Slider(9)->value(), 14);
    EXPECT_EQ(p.Slider(12)->value(), 2);

    p.Slider(9)->setValue(40);
    EXPECT_EQ(Shown(p.levels().FirstPassLevels), (Levels{40, 10, 5, 2}));
    EXPECT_EQ(p.Text("Label38"), "(40)");
    EXPECT_EQ(p.Slider(1)->value(), 14); // the engraving panel still shows the old force
    EXPECT_EQ(p.Text("Label8"), "(14)");

    p.Open();
    EXPECT_EQ(p.Slider(1)->value(), 40);
    EXPECT_EQ(p.Text("Label8"), "(40)");
}

TEST(LevelPanels, TheInterruptedJobGroupButtonOnlyDisablesTheLowerLevels) {
    Panels p(WithSettings(SettingsFile("Ind  ", {14, 10, 5, 2}, "Ind  ", {9, 8, 7, 6})));
    p.levels().SetUpAbortPanel(true);
    p.levels().AbortWork1Panel.SetVisible(true);
    p.levels().AbortWork2Panel.SetVisible(true);
    p.levels().AbortPanel.SetVisible(true);
    p.Click("RadioButton7");
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton7")->isChecked());
    EXPECT_FALSE(p.Get<QRadioButton>("RadioButton8")->isChecked());
    for (const char* lower : {"TrackBar14", "TrackBar16", "Label50", "Label55"})
        EXPECT_FALSE(p.Get(lower)->isEnabled()) << lower;
    EXPECT_TRUE(p.Get("TrackBar10")->isEnabled()); // the other half keeps its mode
    EXPECT_EQ(Shown(p.levels().SecondPassLevels), (Levels{9, 8, 7, 6}));
    // A disabled half takes no clicks.
    p.levels().AbortWork1Panel.SetEnabled(false);
    EXPECT_FALSE(p.Get("AbortWork1Panel")->isEnabled());
    p.Click("RadioButton3");
    EXPECT_TRUE(p.levels().AbortWork1.Individual.Checked());
}

TEST(LevelPanels, QualityChoiceMarksBothPanelsAndTheMenuAndColoursTheChoice) {
    Panels p;
    p.Open();
    p.Click("SecondWork");
    auto colour = [&](const char* name) {
        return p.Get(name)->palette().color(QPalette::WindowText);
    };
    const QColor red(Qt::red);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    ASSERT_NE(red, highlight);
    const struct {
        const char* click;
        bool high;
    } steps[] = {{"RadioButton1", true}, {"RadioButton2", false}};
    for (const auto& step : steps) {
        p.Click(step.click);
        EXPECT_EQ(p.Get<QRadioButton>("RadioButton1")->isChecked(), step.high);
        EXPECT_EQ(p.Get<QRadioButton>("RadioButton5")->isChecked(), step.high);
        EXPECT_EQ(p.Get<QRadioButton>("RadioButton2")->isChecked(), !step.high);
        EXPECT_EQ(p.Get<QRadioButton>("RadioButton6")->isChecked(), !step.high);
        EXPECT_EQ(p.form().Item("Qual1")->isChecked(), step.high);
        EXPECT_EQ(p.form().Item("Qual2")->isChecked(), !step.high);
        EXPECT_EQ(p.levels().HighQuality(), step.high);
        EXPECT_EQ(colour("RadioButton1"), step.high ? red : highlight);
        EXPECT_EQ(colour("RadioButton5"), step.high ? red : highlight);
        EXPECT_EQ(colour("RadioButton2"), step.high ? highlight : red);
        EXPECT_EQ(colour("RadioButton6"), step.high ? highlight : red);
    }
}

TEST(LevelPanels, TheHiddenQualityItemsSetOnlyTheirOwnMarks) {
    Panels p;
    for (int twice = 0; twice < 2; ++twice) {
        p.form().Item("Qual1")->trigger();
        EXPECT_TRUE(p.form().Item("Qual1")->isChecked());
        EXPECT_FALSE(p.form().Item("Qual2")->isChecked());
        EXPECT_TRUE(p.levels().HighQuality());
    }
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(p.Get<QRadioButton>("RadioButton1")->isChecked());
    p.form().Item("Qual2")->trigger();
    EXPECT_FALSE(p.form().Item("Qual1")->isChecked());
    EXPECT_TRUE(p.form().Item("Qual2")->isChecked());
}

TEST(LevelPanels, DoublePassShowsTheSecondPanelAtTheFirstOnesTop) {
    Panels p;
    p.Open();
    p.Get("PrintReadyPanel")->move(5, 40);
    p.Get("PrintReadyPanel_2")->move(250, 300);
    p.Click("SecondWork");
    EXPECT_TRUE(p.Get<QCheckBox>("SecondWork")->isChecked());
    EXPECT_TRUE(p.Get("PrintReadyPanel_2")->isVisible());
    EXPECT_EQ(p.Get("PrintReadyPanel_2")->pos(), QPoint(250, 40));
    EXPECT_TRUE(p.levels().DoublePassPending);

    p.Click("SecondWork");
    EXPECT_FALSE(p.Get("PrintReadyPanel_2")->isVisible());
    EXPECT_FALSE(p.levels().DoublePassPending);
    EXPECT_TRUE(p.Get("PrintReadyPanel")->isVisible());
}

TEST(LevelPanels, CancelHidesBothPanelsAndGivesTheMenusBack) {
    for (const char* cancel : {"BitBtn1", "BitBtn2"}) {
        Panels p;
        p.Open();
        p.Click("SecondWork");
        ASSERT_FALSE(p.form().TopMenu(2)->isEnabled()) << cancel;
        ASSERT_FALSE(p.form().Image1()->isEnabled());
        QTest::mouseClick(p.Get<QPushButton>(cancel), Qt::LeftButton);
        EXPECT_FALSE(p.Get("PrintReadyPanel")->isVisible()) << cancel;
        EXPECT_FALSE(p.Get("PrintReadyPanel_2")->isVisible()) << cancel;
        // "Файл", "Работа", "Установки", "Порт", "Тест": the shown ones of menus 0..6.
        for (int menu : {0, 2, 3, 4, 6})
            EXPECT_TRUE(p.form().TopMenu(menu)->isEnabled()) << cancel << " menu " << menu;
        EXPECT_TRUE(p.form().Image1()->isEnabled()) << cancel;
        // The double pass stays ticked for the next opening.
        EXPECT_TRUE(p.levels().DoublePassPending) << cancel;
    }
}

TEST(LevelPanels, PictureKindFollowsTheSettingsAndTextIsSavedAsZero) {
    Panels p(WithSettings(
        SettingsFile("Group", {14, 10, 5, 2}, "Ind  ", {14, 10, 5, 2}, /*portrait=*/false)));
    p.Open();
    EXPECT_TRUE(p.Get<QRadioButton>("RadioButton9")->isChecked());
    p.Click("RadioButton10");
    EXPECT_TRUE(p.levels().PortraitMode);
    EXPECT_FALSE(p.Get<QRadioButton>("RadioButton9")->isChecked());
    p.Click("RadioButton9");
    EXPECT_FALSE(p.levels().PortraitMode);
    EXPECT_FALSE(p.Get<QRadioButton>("RadioButton10")->isChecked());

    p.form().close();
    QFile file(p.window.dir.File("Zeb.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n8\r\n0\r\n"));
}

TEST(LevelPanels, TheStrikeForceDialogKeepsWhatItReturns) {
    Panels p;
    int shown = -1;
    int next = 7;
    p.window.answerer.On("StrikeHelth", [&](QDialog* dialog) {
        auto* slider = dialog->findChild<QSlider*>("KnockChange");
        shown = slider->value();
        slider->setValue(next);
        dialog->accept();
    });
    p.form().Item("StrikeForce1")->trigger();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(p.levels().SingleStrikeForce, 7);
    next = 2;
    p.form().Item("StrikeForce1")->trigger();
    EXPECT_EQ(shown, 7);
    EXPECT_EQ(p.levels().SingleStrikeForce, 2);
}

} // namespace
} // namespace zeb::app
