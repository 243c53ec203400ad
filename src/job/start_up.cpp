#include "job/start_up.h"

#include "job/recovery_file.h"
#include "link/handshake.h"
#include "setup/language_file.h"
#include "setup/settings_file.h"
#include "text/text_catalogue.h"

#include <QDir>

namespace zeb {

void StartUp(Session& s, const StartUpHooks& hooks) {
    s.StartDirectory = QDir::currentPath();

    const SettingsLoadResult settings =
        LoadSettings(s.StartDirectory, s.Config, s.Levels, s.Machine);
    // The settings problems already said so: an index with no resolution counts as 0.
    if (s.Config.ResolutionIndex < 0 || s.Config.ResolutionIndex >= ResolutionCount)
        s.Config.ResolutionIndex = 0;
    if (hooks.settingsLoaded)
        hooks.settingsLoaded(settings.problems, settings.portChecks);

    const LanguageLoadResult language = LoadLanguageFile(s.StartDirectory, s.Texts);
    ApplyLanguageToLink(s.Texts, s.Link);
    if (hooks.languageLoaded)
        hooks.languageLoaded(language.error.isEmpty()
                                 ? QString()
                                 : s.Texts.Text(TextKey::LanguageFileUnreadable)
                                       .arg(language.fileName, language.error));

    s.Dev.OpenLine(s.Config.PortName);

    s.Job.Running = false;
    s.Unfinished.Pending = false;
    s.Timers.Stop(TimerId::CrushTimer);

    if (RecoveryFileExists(s.StartDirectory)) {
        if (const Result<RecoveryOffsets> offsets =
                ReadRecoveryOffsets(s.Texts, s.StartDirectory)) {
            s.Unfinished.Place = QPoint(offsets->x, offsets->y);
            s.Unfinished.Pending = true;
        } else if (hooks.recoveryFileUnreadable) {
            hooks.recoveryFileUnreadable(offsets.Message());
        }
    }

    s.Machine.CurrentCol = 0;
    s.Machine.CurrentRow = 0;

    CreateWorkField(s.View, s.Config.FieldWidth, s.Config.FieldHeight);
    s.Picture.WorkPicture = QImage();
    if (hooks.workFieldReady)
        hooks.workFieldReady();

    BuildToneTables(s.Tables);
    StartUpLink(s.Dev, s.Timers, s.Config.FieldWidth, s.Config.FieldHeight);
    RebuildStrikePattern(s.Tables);
}

Outcome ShutDown(Session& s) {
    s.Dev.EndPrint();
    s.Dev.Off();
    s.Line->ClosePort();
    const QString error = SaveSettings(s.StartDirectory, s.Config, s.Levels, s.Machine);
    s.Matrices.DotMap.Release();
    s.Matrices.DotLevels.Release();
    s.Matrices.PlanMask.Release();
    return error.isEmpty() ? Outcome::Done() : Outcome::Failed(error);
}

} // namespace zeb
