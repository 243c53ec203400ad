#pragma once
// zeb-cli: the core without a window. Each subcommand lives in its own file and registers
// itself here; the dispatcher in zeb_cli_main.cpp finds it by name.

#include "link/outcome.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace zeb::cli {

struct Command {
    QString name;
    QString synopsis; // one line for the overview
    QString help;     // the full text of "zeb-cli NAME --help"
    // Gets the arguments after the subcommand's name; returns the exit code.
    std::function<int(const QStringList& args)> run;
};

std::vector<Command>& Commands();

struct Registration {
    explicit Registration(Command command) { Commands().push_back(std::move(command)); }
};

// Exit codes: 0 success, 1 the work failed (device, files), 2 bad usage or bad input.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Prints "zeb-cli: MESSAGE" on standard error.
void PrintError(const QString& message);
// The one place zeb-cli shows why a core operation was not done: its message as PrintError
// prints it; nothing when it was done or there is nothing to add.
void PrintProblem(const Outcome& outcome);
template <class T>
void PrintProblem(const Result<T>& result) {
    PrintProblem(result.AsOutcome());
}
void PrintOut(const QString& text);

// The absolute path of the file `name` in the current directory; empty, with "no such file"
// told, when there is none.
std::optional<QString> ExistingFile(const QString& name);

} // namespace zeb::cli
