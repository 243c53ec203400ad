#include "app/program_options.h"

#include <QDir>

namespace zeb::app {

ProgramOptions ParseProgramOptions(const QStringList& args) {
    ProgramOptions o;
    for (qsizetype i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--version")) {
            o.version = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.help = true;
        } else if (arg.startsWith(QLatin1String("--start-dir="))) {
            o.startDir = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
            if (o.startDir.isEmpty())
                o.error = QStringLiteral("--start-dir needs a directory");
        } else if (arg == QLatin1String("--start-dir")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                o.error = QStringLiteral("--start-dir needs a directory");
            else
                o.startDir = args[++i];
        } else {
            o.error = QStringLiteral("unknown option %1").arg(arg);
        }
    }
    return o;
}

QString ProgramUsage() {
    return QStringLiteral(
        "Usage: zeb [--start-dir DIR]\n"
        "\n"
        "The control program of the impact engraving machine. It keeps every file (Zeb.ini,\n"
        "the plans, the recovery file, a language file *.lng) in its start directory: the\n"
        "directory it was started from, or DIR.\n"
        "\n"
        "Options:\n"
        "  --start-dir DIR  work in DIR, made first when missing; a leading ~ stands for the\n"
        "                   home directory (the menu entry starts zeb --start-dir ~/ZEB)\n"
        "  --version        print the version and exit\n"
        "  --help           this text\n"
        "\n"
        "Qt's own options (-platform NAME, -style NAME, ...) are taken as well.\n");
}

QString ExpandHome(const QString& dir, const QString& home) {
    if (dir == QLatin1String("~"))
        return home;
    if (dir.startsWith(QLatin1String("~/")))
        return home + dir.mid(1);
    return dir;
}

bool EnterStartDirectory(const QString& dir, QString* error) {
    const QString path = QDir::current().absoluteFilePath(dir);
    if (!QDir().mkpath(path) || !QDir::setCurrent(path)) {
        *error = QString::fromUtf8("Не удаётся открыть рабочую папку %1")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace zeb::app
