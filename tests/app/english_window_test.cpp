// The window in English: the language file that comes with the package, copied into the start
// directory, leaves no Russian word in the menus, the panels and the dialogs. A language file
// written before the codes 3000..8999 existed keeps the built-in wording for them.
#include "app/fault_dialog.h"
#include "app/picture_dialogs.h"
#include "app/strike_force_dialog.h"
#include "app/unfinished_job_dialog.h"
#include "app/window_probe.h"
#include "app/window_texts.h"
#include "setup/strike_levels_helpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace zeb::app {
namespace {

using testing::WindowFixture;

bool HasCyrillic(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// Every text `root` and its children show that holds a Cyrillic letter, with where it is:
// titles, tooltips, captions, list items, menu entries (hidden ones too).
QStringList CyrillicTexts(QWidget* root) {
    QStringList found;
    auto check = [&found](const QObject* where, const QString& text) {
        if (HasCyrillic(text))
            found << where->objectName() + ": " + text;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        check(widget, widget->windowTitle());
        check(widget, widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            check(label, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            check(button, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            check(group, group->title());
        if (auto* menu = qobject_cast<QMenu*>(widget))
            check(menu, menu->title());
        if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
            check(memo, memo->toPlainText());
        if (auto* list = qobject_cast<QListWidget*>(widget)) {
            for (int row = 0; row < list->count(); ++row)
                check(list, list->item(row)->text());
        }
    }
    for (QAction* action : root->findChildren<QAction*>()) {
        check(action, action->text());
        check(action, action->toolTip());
    }
    return found;
}

WindowFixture::Setup WithEnglish() {
    WindowFixture::Setup setup;
    setup.files = [](const QString& dir) {
        ASSERT_TRUE(QFile::copy(ZEB_DIST "/English.lng", dir + "/English.lng"));
    };
    return setup;
}

// What a file with the table's codes only leaves as built in, each by one element.
TEST(EnglishWindow, AFileWithoutTheLaterCodesKeepsTheirBuiltInTexts) {
    WindowFixture window(testing::WithFile("old.lng", "0010=File\r\n0044=Needle\r\n"));
    TMenuForm& form = *window.form;
    EXPECT_EQ(form.TopMenu(0)->text(), "File");
    const std::pair<QString, QString> kept[] = {
        {form.Item("StrikeForce1")->text(), "Сила удара"},
        {form.Item("Left")->text(), "слева"},
        {form.Item("STOP")->text(), "STOP"},
        {testing::Find<QRadioButton>(form, "AllUp")->text(), "Поднята"},
        {testing::Find<QGroupBox>(form, "GroupBox2")->title(), "Перемещение"},
        {testing::Find<QLabel>(form, "Label18")->text(), "Размер рабочего поля"},
        {testing::Find<QLabel>(form, "ErorCounterLabel")->text(), "Eror Counter"},
        {form.StrikeHelth()->findChild<QLabel*>("Label1")->text(), "Сила удара"},
        {form.Form5()->findChild<QListWidget*>("ResolutionBox")->item(0)->text(),
         "101.6  dpi  =  40.0 т/см"},
        {form.Form4()->windowTitle(), "Eror message."},
    };
    for (const auto& [shown, builtIn] : kept)
        EXPECT_EQ(shown, builtIn);
    // The table's own dialog texts still go empty where such a file is silent.
    EXPECT_EQ(form.Form4()->findChild<QLabel*>("Label1")->text(), "");
}

// Laid out whole in Russian and in English: no caption cut short and no panel over another,
// on the engraving panels of both passes, the interrupted-job panel with both halves, and the
// dialogs of the Open road and the job. In English, no Russian word anywhere on the way.
class WindowLayout : public ::testing::TestWithParam<bool> {};

TEST_P(WindowLayout, NoCaptionIsCutShortAndNoPanelLiesOverAnother) {
    const bool english = GetParam();
    WindowFixture window(english ? WithEnglish() : WindowFixture::Setup{});
    TMenuForm& form = *window.form;
    form.show();
    QStringList faults;
    QStringList opened;
    auto check = [&faults](QWidget* root, const QString& where) {
        for (const QString& fault : testing::LayoutFaults(root))
            faults << where + ": " + fault;
    };
    // Russian words are looked for on the operator's road, before the dialogs are shown
    // out of turn.
    auto words = [&faults, english](QWidget* root, const QString& where) {
        for (const QString& text : english ? CyrillicTexts(root) : QStringList())
            faults << where + "/" + text;
    };
    // The whole window with its panels, menus and the dialogs made at start.
    words(&form, "at start");
    // The dialogs the operator opens: About, the single strike force, and the Open road's
    // conversion choice and resolution dialog (the file dialog between them is Qt's own).
    testing::AnswerFileDialog(window, "OpenDialog1", testing::WhitePicture(window));
    const auto answer = [&](const QString& name, std::function<void(QDialog*)> close) {
        window.answerer.On(name, [&check, &words, &opened, name, close](QDialog* d) {
            opened << name;
            check(d, name);
            words(d, name);
            close(d);
        });
    };
    for (const char* name : {"AboutBox", "StrikeHelth"})
        answer(name, [](QDialog* d) { d->reject(); });
    answer("ConvertForm", [](QDialog* d) {
        QTest::mouseClick(d->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    answer("Form5", [](QDialog* d) {
        d->findChild<QListWidget*>("ResolutionBox")->setCurrentRow(3);
        QTest::mouseClick(d->findChild<QPushButton*>("Button5"), Qt::LeftButton);
    });
    for (const char* item : {"About1", "StrikeForce1", "Open"})
        form.Item(item)->trigger();
    EXPECT_TRUE(window.answerer.unexpected.isEmpty())
        << window.answerer.unexpected.join(", ").toStdString();
    EXPECT_EQ(opened, QStringList({"AboutBox", "StrikeHelth", "ConvertForm", "Form5"}));
    ASSERT_FALSE(form.State().Picture.PicturePath.isEmpty());
    // The caption names the chosen resolution in the file's words.
    const QString resolution = english ? "85.6  dpi  =  33.7 dots/cm" : "85.6  dpi  =  33.7 т/см";
    EXPECT_TRUE(form.windowTitle().contains(resolution)) << form.windowTitle().toStdString();
    // After the picture: the panels it brings up, the status line, the caption.
    words(&form, "after Open");
    for (QDialog* dialog :
         {static_cast<QDialog*>(form.Form1()), static_cast<QDialog*>(form.Form4())}) {
        dialog->show();
        QCoreApplication::processEvents(); // the layout its texts ask for
        check(dialog, dialog->objectName());
        dialog->hide();
    }
    check(&form, "after Open");

    testing::OpenPicture(window); // one with dots to strike
    form.State().Levels.FirstPassLevels = Forces(40, 30, 20, 10);
    form.State().Levels.SecondPassLevels = Forces(16, 12, 8, 4);
    form.Item("Print1")->trigger();
    testing::Find<QCheckBox>(form, "SecondWork")->click();
    check(&form, "both passes");
    testing::Find<QPushButton>(form, "Button17")->click();
    // The job's duration and completion time keep the file's captions.
    const QRegularExpression time("\\d\\d:\\d\\d:\\d\\d$");
    const QString duration = testing::Find<QLabel>(form, "Label37")->text();
    const QString completion = testing::Find<QLabel>(form, "Label35")->text();
    EXPECT_TRUE(duration.startsWith(english ? "Job duration: " : "Длительность работы: ") &&
                duration.contains(time))
        << duration.toStdString();
    EXPECT_TRUE(
        completion.startsWith(english ? "Completion time: " : "Время завершения работы: ") &&
        completion.contains(time))
        << completion.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&form] { return form.Item("STOP")->isEnabled(); }));
    form.Item("STOP")->trigger();
    ASSERT_TRUE(testing::Find<QFrame>(form, "AbortWork2Panel")->isVisible());
    check(&form, "interrupted job");
    testing::Find<QPushButton>(form, "Button28")->click();
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(RussianAndEnglish, WindowLayout, ::testing::Bool());

} // namespace
} // namespace zeb::app
