// zeb-cli: picks the subcommand and hands it the rest of the command line.
#include "cli/cli.h"
#include "version/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace zeb::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "zeb-cli: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

void PrintProblem(const Outcome& outcome) {
    if (!outcome && !outcome.Message().isEmpty())
        PrintError(outcome.Message());
}

void PrintOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

std::optional<QString> ExistingFile(const QString& name) {
    const QString path = QDir::current().absoluteFilePath(name);
    if (QFileInfo::exists(path))
        return path;
    PrintError(QStringLiteral("no such file \"%1\"").arg(name));
    return std::nullopt;
}

namespace {

QString Overview() {
    QString text = QStringLiteral("Usage: zeb-cli COMMAND [OPTIONS]\n\n"
                                  "The engraving program without its window: the same core, the "
                                  "same files,\nin the current directory.\n\nCommands:\n");
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const auto& c : commands)
        text += QStringLiteral("  %1  %2\n").arg(c.name, -9).arg(c.synopsis);
    text += QStringLiteral("\n\"zeb-cli COMMAND --help\" describes one command.\n"
                           "\"zeb-cli --version\" prints the version.\n"
                           "Exit status: 0 done, 1 the work failed, 2 bad usage or input.\n");
    return text;
}

} // namespace
} // namespace zeb::cli

int main(int argc, char** argv) {
    using namespace zeb::cli;
    // No window system: pictures are decoded and written without one.
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        PrintOut(Overview());
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    if (args.first() == "--version") {
        PrintOut(QStringLiteral("zeb-cli (ZEB) %1\n").arg(QLatin1String(zeb::Version())));
        return ExitOk;
    }
    const QString name = args.takeFirst();
    for (const auto& command : Commands()) {
        if (command.name != name)
            continue;
        if (args.contains("--help") || args.contains("-h")) {
            PrintOut(command.help);
            return ExitOk;
        }
        return command.run(args);
    }
    PrintError(QStringLiteral("unknown command \"%1\"; see zeb-cli --help").arg(name));
    return ExitUsage;
}
