#include "cli/cli_offline.h"

#include "cli/cli.h"
#include "link/comm_port_driver.h"
#include "picture/placement.h"
#include "picture/tone_tables.h"
#include "setup/settings_file.h"

#include <QDir>
#include <QFileInfo>

namespace zeb::cli {

OfflineSession::OfflineSession() : s{op, timers, clock, std::make_unique<CommPortDriver1>()} {}

void LoadSettingsOnly(Session& s) {
    s.StartDirectory = QDir::currentPath();
    const QFileInfo file(SettingsFilePath(s.StartDirectory));
    if (!file.exists() && !file.isSymLink()) {
        s.Config.SettingsMissing = true;
        ReadBackDefaultFile(s.Config, s.Levels, s.Machine);
    } else {
        for (const QString& problem :
             LoadSettings(s.StartDirectory, s.Config, s.Levels, s.Machine).problems)
            PrintError(QStringLiteral("Zeb.ini: ") + problem);
    }
    if (s.Config.ResolutionIndex < 0 || s.Config.ResolutionIndex >= ResolutionCount)
        s.Config.ResolutionIndex = 0;
    CreateWorkField(s.View, s.Config.FieldWidth, s.Config.FieldHeight);
    s.Tables = StartupToneTables();
}

} // namespace zeb::cli
