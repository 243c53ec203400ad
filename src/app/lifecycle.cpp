// The main window's start and close, the language texts of its elements, its dialogs.
#include "app/about_box.h"
#include "app/fault_dialog.h"
#include "app/field_widget.h"
#include "app/level_panels.h"
#include "app/menu_form.h"
#include "app/picture_dialogs.h"
#include "app/strike_force_dialog.h"
#include "app/unfinished_job_dialog.h"
#include "app/window_texts.h"
#include "job/session.h"
#include "job/start_up.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include <algorithm>

namespace zeb::app {

void TMenuForm::FormCreate() {
    setWindowTitle(TextCatalogue::BuiltIn(TextKey::WindowTitle));
    m_memo1->setPlainText(QStringLiteral("\n"));
    StartUpHooks hooks;
    hooks.settingsLoaded = [this](const QStringList& problems, const std::array<bool, 8>&) {
        SettingsLoaded(problems);
    };
    hooks.languageLoaded = [this](const QString& problem) {
        ApplyMainWindowTexts();
        if (!problem.isEmpty())
            ShowMessage(problem);
    };
    hooks.workFieldReady = [this] {
        m_image1->Show(&m_session->View.Image1);
        m_image1->SetOverlay([this] {
            const Session& s = *m_session;
            // The field as the placement counts it at the resolution held.
            return FieldOverlay{
                QRect(QPoint(0, 0), FieldSize(s.View.Image1.size(), s.Config.ResolutionIndex)),
                QPoint(s.Machine.CurrentCol, s.Machine.CurrentRow)};
        });
    };
    hooks.recoveryFileUnreadable = [this](const QString& problem) { ShowMessage(problem); };
    StartUp(*m_session, hooks);
}

void TMenuForm::SettingsLoaded(const QStringList& problems) {
    // Read from the file (neither missing nor unreadable): its forces stand on the sliders.
    const Settings& settings = m_session->Config;
    if (!settings.SettingsMissing && settings.KeepFileReason.isEmpty())
        m_levelPanels->ShowLoadedSettings();
    ShowPortInUse(settings.PortName);
    if (!problems.isEmpty())
        ShowMessage(m_session->Texts.Text(TextKey::SettingsProblemsHeading)
                        .arg(problems.join(QLatin1Char('\n'))));
}

void TMenuForm::ShowPortInUse(const QString& name) {
    const std::array<bool, 8> checks = PortItemChecks(name);
    for (int n = 1; n <= 8; ++n)
        Item(QStringLiteral("Com%1").arg(n) + QLatin1Char('1'))->setChecked(checks[n - 1]);
    QAction* path = Item("PortPath");
    const bool isPath =
        !name.isEmpty() && std::none_of(checks.begin(), checks.end(), [](bool c) { return c; });
    if (isPath) {
        // The path itself, never a shortcut mark: a "&" in it stays a "&".
        path->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        path->setData(name);
        path->setVisible(true);
    }
    path->setChecked(isPath);
}

void TMenuForm::FormClose() {
    Tell(*this, ShutDown(*m_session));
}

void TMenuForm::ApplyMainWindowTexts() {
    const TextCatalogue& texts = m_session->Texts;
    for (const WindowText& element : WindowTexts()) {
        if (!texts.Replaced(element.text))
            continue;
        const QString text = texts.Text(element.text);
        if (!element.component) {
            if (QAction* entry = MenuEntry(element.topMenu, element.menuItem, element.subItem))
                entry->setText(text);
            continue;
        }
        // Only the window's own regions: the dialogs have components of the same names.
        for (QWidget* widget :
             centralWidget()->findChildren<QWidget*>(QString::fromLatin1(element.component))) {
            if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(text);
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(text);
            else if (auto* group = qobject_cast<QGroupBox*>(widget))
                group->setTitle(text);
        }
    }
}

void TMenuForm::CreateDialogs() {
    const TextCatalogue& texts = m_session->Texts;
    m_aboutBox = new TAboutBox(texts, m_session->StartDirectory, this);
    m_form1 = new TForm1(texts, m_session->StartDirectory, *this, this);
    m_strikeHelth = new TStrikeHelth(texts, this);
    m_form5 = new TForm5(texts, this);
    m_form3 = new TForm3(texts, this);
    m_form4 = new TForm4(texts, this);
    m_convertForm = new TConvertForm(texts, this);
    emit DialogsCreated();
}

} // namespace zeb::app
