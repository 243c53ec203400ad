#pragma once
// Command-line reading shared by zeb-cli's commands: options that take a value, as
// "--name VALUE" or "--name=VALUE"; flags; positional arguments. Each one is handed to the
// command in the order given, so the first problem on the line is the one told.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zeb::cli {

struct Option {
    enum Kind { Flag, Value };
    QString name; // the spelling the command is handed, e.g. "--output"
    Kind kind = Flag;
    QString alias = {}; // another spelling, e.g. "-o"
};

struct Arg {
    QString name;  // the option's name (never its alias); empty for a positional argument
    QString value; // the option's value, or the positional argument itself
    bool Positional() const { return name.isEmpty(); }
};

// Reads `args` against `options` and hands each option and positional argument to `take`,
// which answers with a problem (empty when all is well). An argument that starts with "-"
// (not "-" alone) is an option. The value of an option is the next argument whatever it
// looks like, so negative numbers need no "=". Returns the first problem: `take`'s, or
// unknown option "--x", "--x needs a value", "--x takes no value".
QString ReadArgs(const QStringList& args, const std::vector<Option>& options,
                 const std::function<QString(const Arg&)>& take);

// Why `name` cannot be a port name, empty when it can: the name goes whole onto a line of
// Zeb.ini, so it must be one line of Windows-1251 text (no control character, none that the
// code page lacks) and not empty.
QString PortNameProblem(const QString& name);

// Prints "PROBLEM; see zeb-cli COMMAND --help" and returns the exit code of bad usage.
int UsageError(const QString& command, const QString& problem);

} // namespace zeb::cli
