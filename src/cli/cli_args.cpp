#include "cli/cli_args.h"

#include "cli/cli.h"

#include <QStringEncoder>

#include <algorithm>

namespace zeb::cli {

QString ReadArgs(const QStringList& args, const std::vector<Option>& options,
                 const std::function<QString(const Arg&)>& take) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1Char('-')) || arg.size() == 1) {
            if (QString problem = take({QString(), arg}); !problem.isEmpty())
                return problem;
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = eq > 0 ? arg.left(eq) : arg;
        const auto option = std::find_if(options.begin(), options.end(), [&](const Option& o) {
            return o.name == name || (!o.alias.isEmpty() && o.alias == name);
        });
        if (option == options.end())
            return QStringLiteral("unknown option \"%1\"").arg(name);
        QString value;
        if (option->kind == Option::Flag) {
            if (eq > 0)
                return QStringLiteral("%1 takes no value").arg(name);
        } else if (eq > 0) {
            value = arg.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return QStringLiteral("%1 needs a value").arg(name);
        }
        if (QString problem = take({option->name, value}); !problem.isEmpty())
            return problem;
    }
    return {};
}

QString PortNameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("--port wants a name, comN or a device path");
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    QStringEncoder encode("Windows-1251");
    const QByteArray encoded = encode(name); // converts only when taken
    if (control || encode.hasError())
        return QStringLiteral("--port wants a name without control characters, written in "
                              "Windows-1251: it goes onto one line of Zeb.ini");
    return {};
}

int UsageError(const QString& command, const QString& problem) {
    PrintError(QStringLiteral("%1; see zeb-cli %2 --help").arg(problem, command));
    return ExitUsage;
}

} // namespace zeb::cli
