#include "job/recovery.h"

#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/plan_builder.h"
#include "job/plan_cut.h"
#include "job/plan_format.h"
#include "job/progress_record.h"
#include "job/recovery_file.h"
#include "setup/durable_file.h"
#include "setup/settings_text_file.h"
#include "setup/warm_up.h"

#include <QDir>
#include <QFile>

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

QString NothingStarted() {
    return QStringLiteral(" Файлы оставлены как есть, работа не запущена.");
}

// Replaces `to` by `from` in one step, so there is never a moment without a plan.
QString RenameOver(const QString& from, const QString& to) {
    const QString error = RenameDurably(from, to);
    if (error.isEmpty())
        return {};
    return QStringLiteral("Не удаётся переименовать %1 в %2: %3")
        .arg(Native(from), Native(to), error);
}

void BackToIdle(Session& s) {
    if (s.Link.DeviceReady)
        s.Op.UnlockUI();
    else
        s.Op.LockUI();
}

// A cut that a killed recovery left half done: "1.txt" was complete and the progress record
// already named it, but it had not yet taken the plan's place. It is finished first.
QString FinishInterruptedCut(Session& s, const ProgressRecord& progress, int pass,
                             const QString& planPath) {
    const QString cutPath = PathIn(s, RecoveryPlanFileName);
    if (progress.pass != pass || !QFile::exists(cutPath))
        return {};
    QString error;
    if (FileDigest(cutPath, &error) != progress.planDigest)
        return {};
    if (QFile::exists(planPath) && FileDigest(planPath, &error) == progress.planDigest)
        return {};
    if (pass == 2) {
        error = WritePlanFile({}, PathIn(s, PlanFileName));
        if (!error.isEmpty())
            return error;
    }
    return RenameOver(cutPath, planPath);
}

QString ChangedText(const QString& path, const QString& what) {
    return QStringLiteral("Файл %1 изменён после того, как работа прервалась (%2): продолжать "
                          "её по нему нельзя, точки легли бы не туда.")
               .arg(Native(path), what) +
           NothingStarted();
}

// What the progress record says of the plan that is to be cut: nothing when there is no
// record (the whole plan is scanned), else its line and whether the pass had begun. Refuses,
// naming the file that disagrees, when the record belongs to another plan or job.
struct RecordWord {
    std::optional<PlanProgress> progress;
    QString refusal;
};

RecordWord CheckRecord(Session& s, const std::optional<ProgressRecord>& record, int pass,
                       const QString& planPath, const QByteArray& planDigest, int planLines) {
    if (!record)
        return {};
    if (record->pass == pass && record->planDigest == planDigest) {
        if (record->line > planLines)
            return {{},
                    QStringLiteral("Файл %1 называет строку %2 плана %3, а в плане %4 строк.")
                            .arg(Native(ProgressFilePath(s.StartDirectory)))
                            .arg(record->line)
                            .arg(Native(planPath))
                            .arg(planLines) +
                        NothingStarted()};
        return {PlanProgress{record->line, record->begun}, {}};
    }
    if (record->pass == pass)
        return {{}, ChangedText(planPath, QStringLiteral("это не тот план, что выполнялся"))};
    // "Sec" is written only once the first pass has ended, before the second pass's record:
    // a record still of the first pass means the second opened nothing yet.
    const QString firstPlan = PathIn(s, PlanFileName);
    QString error;
    if (pass == 2 && record->pass == 1) {
        if (FileDigest(firstPlan, &error) == record->planDigest)
            return {PlanProgress{0, false}, {}};
        return {{}, ChangedText(firstPlan, QStringLiteral("это не тот план, что выполнялся"))};
    }
    return {{},
            QStringLiteral("Файл %1 говорит о втором проходе, а файл восстановления %2 - о "
                           "первом.")
                    .arg(Native(ProgressFilePath(s.StartDirectory)),
                         Native(RecoveryFilePath(s.StartDirectory))) +
                NothingStarted()};
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
// first line (the job's digest carried over), then (a second pass emptying the first-pass
// plan) the rename over the old plan.
QString PlaceCut(Session& s, int pass, const QString& planPath, const PlanCut& cut,
                 const QByteArray& jobDigest) {
    if (cut.kind == CutKind::Cut) {
        const QString cutPath = PathIn(s, RecoveryPlanFileName);
        QString error = WritePlanFile(cut.text, cutPath);
        if (error.isEmpty())
            error = WriteProgressRecord(s.StartDirectory,
                                        {pass, 0, false, PlanDigest(cut.text), jobDigest});
        if (!error.isEmpty())
            return error;
        if (pass == 2) {
            error = WritePlanFile({}, PathIn(s, PlanFileName));
            if (!error.isEmpty())
                return error;
        }
        return RenameOver(cutPath, planPath);
    }
    // Nothing of this plan was done: it stays as it is.
    return pass == 2 ? WritePlanFile({}, PathIn(s, PlanFileName)) : QString();
}

QString CutRefusal(const PlanCut& cut, const QString& planPath, HeadPosition saved,
                   const RecoveryRecord& record, const QString& recoveryPath) {
    if (cut.kind == CutKind::OutOfRange)
        return QStringLiteral("План %1, строка %2: со смещением картинки из файла %3 (столбец "
                              "%4, строка %5) головка уходит за пределы, в которых устройство "
                              "сообщает позицию (столбцы 0..%6, строки 0..%7).")
                   .arg(Native(planPath))
                   .arg(cut.badLine)
                   .arg(Native(recoveryPath))
                   .arg(record.offsetX)
                   .arg(record.offsetY)
                   .arg(ReportableColumns - 1)
                   .arg(ReportableRows - 1) +
               NothingStarted();
    return QStringLiteral("Сохранённая устройством позиция головки (строка %1, столбец %2) не "
                          "лежит ни на одной строке плана %3, на которой работа могла "
                          "прерваться.")
               .arg(saved.row)
               .arg(saved.column)
               .arg(Native(planPath)) +
           NothingStarted();
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
    const QString recoveryPath = RecoveryFilePath(s.StartDirectory);
    if (record->resolutionIndex < 0 || record->resolutionIndex >= ResolutionCount) {
        s.Op.ShowMessage(QStringLiteral("Файл восстановления %1, строка 13: разрешения %2 нет")
                             .arg(Native(recoveryPath))
                             .arg(record->resolutionIndex));
        return false;
    }
    if (!saved) {
        s.Op.ShowMessage(QStringLiteral("Устройство не сообщило надёжно позицию, на которой "
                                        "прервалась работа.") +
                         NothingStarted());
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

    const std::optional<ProgressRecord> progress = ReadProgressRecord(s.StartDirectory, &error);
    if (!error.isEmpty()) {
        s.Op.ShowMessage(error + QLatin1Char('.') + NothingStarted());
        return false;
    }
    const QByteArray jobDigest = JobDigest(*record);
    if (progress && progress->jobDigest != jobDigest) {
        s.Op.ShowMessage(ChangedText(recoveryPath, QStringLiteral("картинка, её место на поле или "
                                                                  "разрешение не те, с которыми "
                                                                  "работа начиналась")));
        return false;
    }
    const int pass = record->secondPassStarted ? 2 : 1;
    const QString planPath = PathIn(s, pass == 2 ? SecondPassPlanFileName : PlanFileName);
    error = progress ? FinishInterruptedCut(s, *progress, pass, planPath) : QString();
    const PlanContents plan = error.isEmpty() ? ReadPlan(planPath) : PlanContents{{}, error};
    const QByteArray digest = plan.error.isEmpty() ? FileDigest(planPath, &error) : QByteArray();
    if (!plan.error.isEmpty() || digest.isEmpty()) {
        s.Op.ShowMessage(plan.error.isEmpty() ? error : plan.error);
        return false;
    }
    const int planLines = plan.lines.empty() ? 0 : plan.lines.back().number;
    const RecordWord word = CheckRecord(s, progress, pass, planPath, digest, planLines);
    if (!word.refusal.isEmpty()) {
        s.Op.ShowMessage(word.refusal);
        return false;
    }
    const PlanCut cut =
        CutPlan(plan.lines, *saved, record->offsetX, record->offsetY, word.progress);
    if (cut.kind == CutKind::NotFound || cut.kind == CutKind::OutOfRange) {
        s.Op.ShowMessage(CutRefusal(cut, planPath, *saved, *record, recoveryPath));
        return false;
    }
    error = PlaceCut(s, pass, planPath, cut, jobDigest);
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
        WarmUp(s.Dev, s.Texts.Status(8));
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
    return BeginJobLoop(s);
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
    return BeginJobLoop(s);
}

bool ServiceStartTwo(Session& s) {
    const std::optional<HeadPosition> saved = ReadSavedPosition(s);
    return RecoverInterruptedJob(s, saved);
}

} // namespace zeb
