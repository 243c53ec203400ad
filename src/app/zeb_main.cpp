// The program: the main window first (its creation runs the whole start-up), then the
// dialogs, which read the language table the start-up loaded, then the message loop.
#include "app/menu_form.h"
#include "app/program_options.h"
#include "app/qt_texts.h"
#include "app/signal_close.h"
#include "job/session.h"
#include "link/comm_port_driver.h"
#include "version/version.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv) {
    // --version and --help are answered before QApplication exists: they need no display.
    // Qt's own options are not known yet, so only these two are taken from this first look.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const zeb::app::ProgramOptions first = zeb::app::ParseProgramOptions(raw);
    if (first.version) {
        std::printf("zeb (ZEB) %s\n", zeb::Version());
        return 0;
    }
    if (first.help) {
        std::fputs(zeb::app::ProgramUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB-5.6"));
    const zeb::app::ProgramOptions options = zeb::app::ParseProgramOptions(app.arguments().mid(1));
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "zeb: %s (see zeb --help)\n", options.error.toLocal8Bit().constData());
        return 2;
    }
    QString error;
    if (!options.startDir.isEmpty() &&
        !zeb::app::EnterStartDirectory(zeb::app::ExpandHome(options.startDir, QDir::homePath()),
                                       &error)) {
        std::fprintf(stderr, "zeb: %s\n", error.toLocal8Bit().constData());
        QMessageBox::critical(nullptr, QStringLiteral("ZEB"), error);
        return 1;
    }
    // Before the window: its start-up may already ask something in a standard dialog.
    zeb::app::QtRussianTexts qtTexts;
    qtTexts.Install();
    zeb::SystemClock clock;
    zeb::app::TMenuForm form(std::make_unique<zeb::CommPortDriver1>(), clock);
    if (form.State().Texts.LanguageLoaded())
        qtTexts.Remove();
    zeb::app::CloseOnSignals(form);
    form.CreateDialogs();
    form.show();
    return app.exec();
}
