#pragma once
// The program's command line. Without options it works in the directory it was started
// from; --start-dir gives that directory instead, which is how the menu entry starts it, so
// the operator's files stay together whatever directory the desktop starts programs in.

#include <QString>
#include <QStringList>

namespace zeb::app {

struct ProgramOptions {
    bool version = false;
    bool help = false;
    QString startDir; // empty: the current directory
    QString error;    // what is wrong with the command line; empty when nothing is
};

// `args` without the program's name, after QApplication took its own options.
ProgramOptions ParseProgramOptions(const QStringList& args);

QString ProgramUsage();

// `dir` with a leading "~" taken as `home`: a desktop entry cannot have a shell expand it.
QString ExpandHome(const QString& dir, const QString& home);

// Makes `dir` (and its parents) when missing and makes it the current directory; false, with
// the operator's message in `error`, when it cannot.
bool EnterStartDirectory(const QString& dir, QString* error);

} // namespace zeb::app
