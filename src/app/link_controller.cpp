#include "app/link_controller.h"

#include "app/about_box.h"
#include "app/menu_form.h"
#include "app/port_dialog.h"
#include "app/unfinished_job_dialog.h"
#include "job/session.h"
#include "link/handshake.h"

#include <QAction>

namespace zeb::app {

LinkController::LinkController(TMenuForm& form) : QObject(&form), m_form(form) {
    for (int n = 1; n <= 8; ++n)
        connect(form.Item(QStringLiteral("Com%1").arg(n) + QLatin1Char('1')), &QAction::triggered,
                this, [this, n] { ComClick(n); });
    connect(form.Item("PortPath"), &QAction::triggered, this,
            [this] { ChooseNamedPort(m_form.Item("PortPath")->data().toString()); });
    connect(form.Item("PortOther"), &QAction::triggered, this, &LinkController::OtherPortClick);
    connect(form.Item("N5"), &QAction::triggered, this, &LinkController::N5Click);
    connect(form.Item("About1"), &QAction::triggered, this, &LinkController::AboutClick);
    form.Timers().OnTick(TimerId::Timer4, [this] {
        Session& s = m_form.State();
        KeepAliveTick(s.Dev, s.Timers);
    });
}

void LinkController::ComClick(int n) {
    ChooseNamedPort(PortOfItem(n).portName);
}

void LinkController::OtherPortClick() {
    Session& s = m_form.State();
    // A fresh list each time: adapters come and go.
    const QString inUse = s.Texts.Text(TextKey::PortInUse);
    TPortForm dialog(s.Texts, PortsToOffer(s.Config.PortName, inUse), s.Config.PortName, &m_form);
    if (dialog.exec() == QDialog::Accepted)
        ChooseNamedPort(dialog.ChosenPort());
}

void LinkController::ChooseNamedPort(const QString& name) {
    Session& s = m_form.State();
    const Outcome answered = zeb::ChoosePort(s.Dev, name);
    Tell(m_form, answered);
    m_form.ShowPortInUse(name);
    s.Config.PortName = name;
    OfferRecovery(answered && s.Unfinished.Pending);
}

void LinkController::N5Click() {
    Session& s = m_form.State();
    LinkStatusTexts texts;
    texts.ready = s.Texts.Status(4);
    texts.found = s.Texts.Status(5);
    const Outcome answered = zeb::TestLink(s.Dev, texts);
    Tell(m_form, answered);
    OfferRecovery(answered && s.Unfinished.Pending);
}

void LinkController::AboutClick() {
    Session& s = m_form.State();
    // A fresh box each time: "DopFile.txt" is read anew.
    TAboutBox box(s.Texts, s.StartDirectory, &m_form);
    box.exec();
}

void LinkController::OfferRecovery(bool show) {
    if (show && m_form.Form1())
        m_form.Form1()->exec();
}

} // namespace zeb::app
