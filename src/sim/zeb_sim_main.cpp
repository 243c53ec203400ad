// zeb-sim: the virtual controller on a pseudo-terminal. Prints the terminal's path once it
// serves, then serves until SIGINT or SIGTERM, writes the workpiece picture and exits 0.

#include "sim/fault_plan.h"
#include "sim/pty_server.h"
#include "sim/run_files.h"
#include "sim/virtual_controller.h"
#include "version/version.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

using namespace zeb::sim;

std::atomic<bool> g_stop{false}; // set by SIGINT/SIGTERM; the only thing a handler may touch

void OnStopSignal(int) {
    g_stop.store(true);
}

struct SimOptions {
    QString link;
    double timeScale = 1.0;
    bool paceWire = false;
    QString faults;
    quint32 seed = 1;
    QString workpiece;
    QString strikes;
    QString trace;
    QString state;
    bool help = false;
    bool version = false;
};

QString Usage() {
    return QStringLiteral(
               "Usage: zeb-sim [--link PATH] [--time-scale F] [--baud] [--faults SPEC --seed N]\n"
               "               [--workpiece OUT.png] [--strikes OUT.csv] [--trace OUT.txt]\n"
               "               [--state FILE]\n"
               "\n"
               "The virtual engraving controller on a pseudo-terminal. Once it serves, it prints\n"
               "the terminal's path on one line; open that path as the serial port. It serves\n"
               "until SIGINT or SIGTERM, then writes the workpiece picture and exits 0.\n"
               "\n"
               "Options:\n"
               "  --link PATH         also make PATH a symbolic link to the terminal (an old\n"
               "                      link there is replaced; any other file is left alone)\n"
               "  --time-scale F      each operation takes its modelled duration times F\n"
               "                      (default 1; 0: everything is instant)\n"
               "  --baud              pace the wire: every byte takes 12 bits at 19200 baud\n"
               "  --faults SPEC       faults on demand, comma-separated NAME or NAME=VALUE\n"
               "                      (P: a probability 0..1; N: a count), e.g.\n"
               "                      --faults drop-rx=0.01,corrupt-tx=0.005 --seed 7\n"
               "  --seed N            the seed of the random faults (default 1): the same seed\n"
               "                      and the same traffic give the same faults\n"
               "  --workpiece OUT.png the struck dots as a picture at exit: one pixel per field\n"
               "                      dot, black unstruck, 64/128/192/255 for profiles 1..4\n"
               "  --strikes OUT.csv   one line per strike as it lands: row,column,profile,force\n"
               "                      (force: the one the profile was built for; when the\n"
               "                      profile cannot tell an odd force from the even one\n"
               "                      below it, the even one)\n"
               "  --trace OUT.txt     one line per command frame received: sequence number,\n"
               "                      command name, the five bytes in hex, and \"repeated\" or\n"
               "                      \"rejected\" when it was not carried out\n"
               "  --state FILE        keep the position saved during a print job in FILE, so\n"
               "                      it survives a restart of the simulator (a power cut)\n"
               "  --version           print the version and exit\n"
               "  --help              this text\n"
               "\n"
               "Both lists are flushed line by line (CR LF), so a killed simulator leaves them\n"
               "complete. Warm-up strikes are not part of the workpiece; at exit both counts\n"
               "go to the standard error.\n"
               "\n"
               "Faults:\n") +
           FaultHelp();
}

// Reads the command line; a message for the operator when it is wrong.
bool ParseOptions(const QStringList& args, SimOptions& o, QString* error) {
    for (int i = 1; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        bool hasValue = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = args[++i];
            return true;
        };
        if (name == QLatin1String("--help")) {
            o.help = true;
        } else if (name == QLatin1String("--version")) {
            o.version = true;
        } else if (name == QLatin1String("--baud")) {
            o.paceWire = true;
        } else if (name == QLatin1String("--time-scale")) {
            bool ok = false;
            if (!takeValue())
                return false;
            o.timeScale = value.toDouble(&ok);
            if (!ok || o.timeScale < 0) {
                *error =
                    QStringLiteral("--time-scale wants a number 0 or more, not \"%1\"").arg(value);
                return false;
            }
        } else if (name == QLatin1String("--seed")) {
            bool ok = false;
            if (!takeValue())
                return false;
            o.seed = value.toUInt(&ok);
            if (!ok) {
                *error = QStringLiteral("--seed wants a whole number, not \"%1\"").arg(value);
                return false;
            }
        } else {
            QString* target = nullptr;
            if (name == QLatin1String("--link"))
                target = &o.link;
            else if (name == QLatin1String("--faults"))
                target = &o.faults;
            else if (name == QLatin1String("--workpiece"))
                target = &o.workpiece;
            else if (name == QLatin1String("--strikes"))
                target = &o.strikes;
            else if (name == QLatin1String("--trace"))
                target = &o.trace;
            else if (name == QLatin1String("--state"))
                target = &o.state;
            if (!target) {
                *error = QStringLiteral("unknown option %1").arg(name);
                return false;
            }
            if (!takeValue())
                return false;
            *target = value;
        }
    }
    return true;
}

// Points `link` at `target`, replacing an old link in one step; never replaces a real file.
bool MakeLink(const QString& link, const QString& target, QString* error) {
    const QFileInfo info(link);
    if (info.exists() && !info.isSymLink()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(link);
        return false;
    }
    const QString temporary = link + QStringLiteral(".zeb-sim-%1").arg(::getpid());
    QFile::remove(temporary);
    if (::symlink(QFile::encodeName(target).constData(),
                  QFile::encodeName(temporary).constData()) != 0 ||
        ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(link).constData()) !=
            0) {
        QFile::remove(temporary);
        *error = QStringLiteral("cannot make the link %1").arg(link);
        return false;
    }
    return true;
}

int Fail(const QString& text, int code = 1) {
    std::fprintf(stderr, "zeb-sim: %s\n", text.toLocal8Bit().constData());
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimOptions o;
    QString error;
    if (!ParseOptions(app.arguments(), o, &error))
        return Fail(error + QStringLiteral(" (see zeb-sim --help)"), 2);
    if (o.version) {
        std::printf("zeb-sim (ZEB) %s\n", zeb::Version());
        return 0;
    }
    if (o.help) {
        std::fputs(Usage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const std::optional<FaultPlan> faults = ParseFaultPlan(o.faults, o.seed, &error);
    if (!faults)
        return Fail(error + QStringLiteral(" (see zeb-sim --help)"), 2);

    ControllerOptions options;
    options.timeScale = o.timeScale;
    options.paceWire = o.paceWire;
    options.stateFile = o.state;
    options.faults = *faults;
    options.keepTrace = false; // the trace goes to its file as it happens
    VirtualController controller(options);

    RunFiles files;
    if (!files.Open(o.trace, o.strikes, &error))
        return Fail(error);
    controller.SetObserver(&files);

    PtyServer server(controller);
    if (!server.Open(&error))
        return Fail(error);
    if (!o.link.isEmpty() && !MakeLink(o.link, server.SlavePath(), &error))
        return Fail(error);

    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    std::printf("%s\n", server.SlavePath().toLocal8Bit().constData());
    std::fflush(stdout);
    server.Serve(g_stop);

    std::fprintf(stderr, "zeb-sim: %zu strikes, %d warm-up strikes\n",
                 controller.Workpiece().size(), controller.WarmUpStrikes());
    int status = 0;
    if (!o.workpiece.isEmpty() &&
        !WriteWorkpiecePicture(controller.Workpiece(), o.workpiece, &error))
        status = Fail(error);
    // The link names a terminal that is gone now; leave it only if another simulator has
    // taken it over meanwhile.
    if (!o.link.isEmpty() && QFileInfo(o.link).symLinkTarget() == server.SlavePath())
        QFile::remove(o.link);
    return status;
}
