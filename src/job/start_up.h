#pragma once
// The program's start, in its order: settings, language, port, the check for an unfinished
// job, the work field, the tone tables, the link to the machine, the strike patterns. The window
// (or zeb-cli) hooks in where it shows something.

#include "job/session.h"

#include <QStringList>

#include <array>
#include <functional>

namespace zeb {

struct StartUpHooks {
    // After the settings: values that could not be read ("line N: ...") and the port items'
    // check marks.
    std::function<void(const QStringList& problems, const std::array<bool, 8>& portChecks)>
        settingsLoaded;
    // After the language file: the window puts its texts on its menus and labels. `problem`
    // is non-empty when a language file was found but could not be read.
    std::function<void(const QString& problem)> languageLoaded;
    // After the work field exists (Image1 sized to the field plus 10).
    std::function<void()> workFieldReady;
    // The recovery file exists but its picture position could not be read.
    std::function<void(const QString& problem)> recoveryFileUnreadable;
};

// Runs every start-up step; nothing here stops the start: a missing port, a silent machine or
// a bad settings line only produce their messages.
void StartUp(Session& s, const StartUpHooks& hooks);

// The window's close, in its order: print job ended and machine off (nothing is sent while the
// link is down), port closed, settings saved, matrices released. Refused, saying why, when
// the settings could not be saved.
Outcome ShutDown(Session& s);

} // namespace zeb
