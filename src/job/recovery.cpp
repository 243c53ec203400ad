#include "job/recovery.h"

#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/plan_builder.h"
#include "job/plan_cut.h"
#include "job/plan_format.h"
#include "job/progress_record.h"
#include "job/recovery_file.h"
#include "setup/settings_text_file.h"
#include "setup/warm_up.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace zeb {

namespace {

// How often the saved position may be asked for until two answers agree.
constexpr int SavedPositionReadings = 4;

QString PathIn(const Session& s, const char* name) {
    return QDir(s.StartDirectory).filePath(QString::fromLatin1(name));
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Replaces `to` by `from` in one step, so there is never a moment without a plan.
QString RenameOver(const QString& from, const QString& to) {
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), code);
    if (!code)
        return {};
    return QStringLiteral("Не удаётся переименовать %1 в %2: %3")
        .arg(Native(from), Native(to), QString::fromStdString(code.message()));
}

void BackToIdle(Session& s) {
    if (s.Link.DeviceReady)
        s.Op.UnlockUI();
    else
        s.Op.LockUI();
}

// A cut that a killed recovery left half done: "1.txt" was complete and the progress record
// already named it, but it had not yet taken the plan's place. It is finished first.
QString FinishInterruptedCut(Session& s, int pass, const QString& planPath) {
    const std::optional<ProgressRecord> progress = ReadProgressRecord(s.StartDirectory);
    const QString cutPath = PathIn(s, RecoveryPlanFileName);
    if (!progress || progress->pass != pass || !QFile::exists(cutPath))
        return {};
    QString error;
    if (FileDigest(cutPath, &error) != progress->planDigest)
        return {};
    if (QFile::exists(planPath) && FileDigest(planPath, &error) == progress->planDigest)
        return {};
    if (pass == 2) {
        error = WritePlanFile({}, PathIn(s, PlanFileName));
        if (!error.isEmpty())
            return error;
    }
    return RenameOver(cutPath, planPath);
}

// The line the progress record says was running, when the record belongs to this plan.
std::optional<int> InFlightLine(Session& s, int pass, const QByteArray& planDigest) {
    const std::optional<ProgressRecord> progress = ReadProgressRecord(s.StartDirectory);
    if (!progress)
        return std::nullopt;
    if (progress->pass == pass && progress->planDigest == planDigest)
        return progress->line;
    // "Sec" is written only once the first pass has ended: a record still of the first pass
    // means the second sent nothing yet.
    QString error;
    if (pass == 2 && progress->pass == 1 &&
        FileDigest(PathIn(s, PlanFileName), &error) == progress->planDigest)
        return 0;
    return std::nullopt;
}

void TakeJobSettings(Session& s, const RecoveryRecord& record) {
    s.Picture.PicturePath = record.picturePath;
    s.Place.PictureOffsetX = record.offsetX;
    s.Place.PictureOffsetY = record.offsetY;
    s.Levels.FirstPassLevels = record.firstPass;
    s.Levels.SecondPassLevels = record.secondPass;
    s.Levels.DoublePassPending = record.secondPassFollows;
    s.Config.ResolutionIndex = record.resolutionIndex;
}

// Puts the cut plan in place: "1.txt" written whole, the progress record pointing before its
// first line, then (a second pass emptying the first-pass plan) the rename over the old plan.
QString PlaceCut(Session& s, int pass, const QString& planPath, const PlanCut& cut) {
    if (cut.kind == CutKind::Cut) {
        const QString cutPath = PathIn(s, RecoveryPlanFileName);
        QString error = WritePlanFile(cut.text, cutPath);
        if (error.isEmpty())
            error = WriteProgressRecord(s.StartDirectory, {pass, 0, PlanDigest(cut.text)});
        if (!error.isEmpty())
            return error;
        if (pass == 2) {
            error = WritePlanFile({}, PathIn(s, PlanFileName));
            if (!error.isEmpty())
                return error;
        }
        return RenameOver(cutPath, planPath);
    }
    // Nothing of this plan was sent: it stays as it is.
    return pass == 2 ? WritePlanFile({}, PathIn(s, PlanFileName)) : QString();
}

QString NotFoundText(const QString& planPath, HeadPosition saved) {
    return QStringLiteral("Сохранённая устройством позиция головки (строка %1, столбец %2) не "
                          "лежит ни на одной строке плана %3, на которой работа могла "
                          "прерваться. Файлы оставлены как есть, работа не запущена.")
        .arg(saved.row)
        .arg(saved.column)
        .arg(Native(planPath));
}

} // namespace

std::optional<HeadPosition> ReadSavedPosition(Session& s) {
    // Nothing on the wire checks the position bytes, and a wrong position would strike dots
    // twice: it counts once two readings agree.
    std::optional<HeadPosition> previous;
    for (int reading = 0; reading < SavedPositionReadings; ++reading) {
        const std::optional<HeadPosition> saved = s.Dev.How();
        if (!saved)
            return std::nullopt;
        s.Op.ShowServiceValue(ServiceField::Edit3, QString::number(saved->row));
        s.Op.ShowServiceValue(ServiceField::Edit4, QString::number(saved->column));
        if (previous && previous->row == saved->row && previous->column == saved->column)
            return saved;
        previous = saved;
    }
    return std::nullopt;
}

bool RecoverInterruptedJob(Session& s, std::optional<HeadPosition> saved) {
    QString error;
    const std::optional<RecoveryRecord> record = ReadRecoveryFile(s.StartDirectory, &error);
    if (!record) {
        s.Op.ShowMessage(error);
        return false;
    }
    if (record->resolutionIndex < 0 || record->resolutionIndex >= ResolutionCount) {
        s.Op.ShowMessage(QStringLiteral("Файл восстановления %1, строка 13: разрешения %2 нет")
                             .arg(Native(RecoveryFilePath(s.StartDirectory)))
                             .arg(record->resolutionIndex));
        return false;
    }
    if (!saved) {
        s.Op.ShowMessage(QStringLiteral("Устройство не сообщило надёжно позицию, на которой "
                                        "прервалась работа. Файлы оставлены как есть, работа "
                                        "не запущена."));
        return false;
    }
    const int scale = 16 + record->resolutionIndex;
    for (const StrikeLevelSet* forces : {&record->firstPass, &record->secondPass}) {
        if (forces == &record->secondPass && !record->secondPassFollows)
            break;
        if (const auto problem = ProfileProblem(*forces, s.Machine.MotorSpeed, scale)) {
            s.Op.ShowMessage(*problem);
            return false;
        }
    }

    const int pass = record->secondPassStarted ? 2 : 1;
    const QString planPath = PathIn(s, pass == 2 ? SecondPassPlanFileName : PlanFileName);
    error = FinishInterruptedCut(s, pass, planPath);
    const PlanContents plan = error.isEmpty() ? ReadPlan(planPath) : PlanContents{{}, error};
    const QByteArray digest = plan.error.isEmpty() ? FileDigest(planPath, &error) : QByteArray();
    if (!plan.error.isEmpty() || digest.isEmpty()) {
        s.Op.ShowMessage(plan.error.isEmpty() ? error : plan.error);
        return false;
    }
    const PlanCut cut = CutPlan(plan.lines, *saved, record->offsetX, record->offsetY,
                                InFlightLine(s, pass, digest));
    if (cut.kind == CutKind::NotFound) {
        s.Op.ShowMessage(NotFoundText(planPath, *saved));
        return false;
    }
    error = PlaceCut(s, pass, planPath, cut);
    if (error.isEmpty()) {
        TakeJobSettings(s, *record);
        const int warmUps = s.Job.WarmUpRounds;
        s.Job = JobState{};
        s.Job.WarmUpRounds = warmUps;
        error = OpenJobPlan(s, 1, PathIn(s, PlanFileName));
    }
    if (!error.isEmpty()) {
        s.Op.ShowMessage(error);
        return false;
    }
    s.Dev.SetMotorSpeedScale(s.Config.ResolutionIndex);
    s.Dev.SetStrike(s.Levels.FirstPassLevels);
    return true;
}

bool CrushTimerTimer(Session& s) {
    const bool linkUp = s.Link.DeviceReady;
    s.Timers.Stop(TimerId::Timer4);
    s.Op.LockForJob();
    const std::optional<HeadPosition> saved = ReadSavedPosition(s);
    for (int round = 0; round < s.Job.WarmUpRounds; ++round)
        WarmUp(s.Dev, s.Status.Text(8));
    if (!RecoverInterruptedJob(s, saved)) {
        s.Timers.Stop(TimerId::CrushTimer);
        s.Job.Plan.reset();
        BackToIdle(s);
        return false;
    }
    s.Dev.SetRegister54();
    s.Dev.SetRegister55();
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Dev.SetMotorSpeed(s.Machine.MotorSpeed);
    s.Timers.Stop(TimerId::CrushTimer);
    if (linkUp && !s.Link.DeviceReady) {
        // The set-up did not reach the machine: nothing is begun. The cut plan is in place
        // and the progress record points before its first line, so the next try resumes here.
        s.Job.Plan.reset();
        s.Op.LockForJob();
        return false;
    }
    BeginJobLoop(s);
    return true;
}

void Timer3Timer(Session& s) {
    RemoveJobRecords(s.StartDirectory);
    s.Timers.Stop(TimerId::Timer3);
}

bool ServiceStartOne(Session& s) {
    s.Job = JobState{};
    const QString planPath = PathIn(s, PlanFileName);
    QString error = OpenJobPlan(s, 1, planPath);
    if (error.isEmpty()) {
        // The service start's own short record: recovery refuses it by its missing lines.
        const QStringList lines{s.Picture.PicturePath, QString::number(s.Place.PictureOffsetX),
                                QString::number(s.Place.PictureOffsetY),
                                QString::number(s.Levels.SingleStrikeForce)};
        error = WriteTextFileAtomically(RecoveryFilePath(s.StartDirectory), lines);
    }
    if (!error.isEmpty()) {
        s.Job.Plan.reset();
        s.Op.ShowMessage(error);
        return false;
    }
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    s.Job.PlanLine = 0;
    BeginJobLoop(s);
    return true;
}

bool ServiceStartTwo(Session& s) {
    const std::optional<HeadPosition> saved = ReadSavedPosition(s);
    return RecoverInterruptedJob(s, saved);
}

} // namespace zeb
