// The program: the main window first (its creation runs the whole start-up), then the
// dialogs, which read the language table the start-up loaded, then the message loop.
#include "app/menu_form.h"
#include "app/signal_close.h"
#include "link/comm_port_driver.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB-5.6"));
    zeb::SystemClock clock;
    zeb::app::TMenuForm form(std::make_unique<zeb::CommPortDriver1>(), clock);
    zeb::app::CloseOnSignals(form);
    form.CreateDialogs();
    form.show();
    return app.exec();
}
