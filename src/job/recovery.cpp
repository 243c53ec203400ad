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
#include "text/text_catalogue.h"

#include <QDir>
#include <QFile>

namespace zeb {

namespace {

// How often the saved position may be asked for until two answers agree.
constexpr int SavedPositionReadings = 4;

QString PathIn(const QString& startDirectory, const char* name) {
    return QDir(startDirectory).filePath(QString::fromLatin1(name));
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString NothingStarted(const TextCatalogue& texts) {
    return texts.Text(TextKey::RecoveryNothingStarted);
}

// Replaces `to` by `from` in one step, so there is never a moment without a plan.
Outcome RenameOver(const TextCatalogue& texts, const QString& from, const QString& to) {
    const QString error = RenameDurably(from, to);
    if (error.isEmpty())
        return Outcome::Done();
    return Outcome::Failed(
        texts.Text(TextKey::RecoveryNotRenamed).arg(Native(from), Native(to), error));
}

// A cut that a killed recovery left half done: "1.txt" was complete and the progress record
// already named it, but it had not yet taken the plan's place. It is finished first.
Outcome FinishInterruptedCut(const JobParts& s, const ProgressRecord& progress, int pass,
                             const QString& planPath) {
    const QString cutPath = PathIn(s.StartDirectory, RecoveryPlanFileName);
    if (progress.pass != pass || !QFile::exists(cutPath))
        return Outcome::Done();
    // A digest that cannot be taken matches nothing.
    const auto digestIs = [&s, &progress](const QString& path) {
        const Result<QByteArray> digest = FileDigest(s.Texts, path);
        return digest && *digest == progress.planDigest;
    };
    if (!digestIs(cutPath))
        return Outcome::Done();
    if (QFile::exists(planPath) && digestIs(planPath))
        return Outcome::Done();
    if (pass == 2) {
        if (Outcome emptied = WritePlanFile({}, PathIn(s.StartDirectory, PlanFileName)); !emptied)
            return emptied;
    }
    return RenameOver(s.Texts, cutPath, planPath);
}

QString ChangedText(const TextCatalogue& texts, const QString& path, const QString& what) {
    return texts.Text(TextKey::RecoveryFileChanged).arg(Native(path), what) + NothingStarted(texts);
}

// What the progress record says of the plan that is to be cut: nothing when there is no
// record (the whole plan is scanned), else its line and whether the pass had begun. Refused,
// naming the file that disagrees, when the record belongs to another plan or job.
Result<std::optional<PlanProgress>> CheckRecord(const JobParts& s,
                                                const std::optional<ProgressRecord>& record,
                                                int pass, const QString& planPath,
                                                const QByteArray& planDigest, int planLines) {
    using Word = std::optional<PlanProgress>;
    if (!record)
        return Word();
    if (record->pass == pass && record->planDigest == planDigest) {
        if (record->line > planLines)
            return Outcome::Failed(s.Texts.Text(TextKey::RecoveryLineBeyondPlan)
                                       .arg(Native(ProgressFilePath(s.StartDirectory)))
                                       .arg(record->line)
                                       .arg(Native(planPath))
                                       .arg(planLines) +
                                   NothingStarted(s.Texts));
        return Word(PlanProgress{record->line, record->begun});
    }
    if (record->pass == pass)
        return Outcome::Failed(
            ChangedText(s.Texts, planPath, s.Texts.Text(TextKey::RecoveryOtherPlan)));
    // "Sec" is written only once the first pass has ended, before the second pass's record:
    // a record still of the first pass means the second opened nothing yet.
    const QString firstPlan = PathIn(s.StartDirectory, PlanFileName);
    if (pass == 2 && record->pass == 1) {
        const Result<QByteArray> digest = FileDigest(s.Texts, firstPlan);
        if (digest && *digest == record->planDigest)
            return Word(PlanProgress{0, false});
        return Outcome::Failed(
            ChangedText(s.Texts, firstPlan, s.Texts.Text(TextKey::RecoveryOtherPlan)));
    }
    return Outcome::Failed(s.Texts.Text(TextKey::RecoveryPassMismatch)
                               .arg(Native(ProgressFilePath(s.StartDirectory)),
                                    Native(RecoveryFilePath(s.StartDirectory))) +
                           NothingStarted(s.Texts));
}

void TakeJobSettings(const JobParts& s, const RecoveryRecord& record) {
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
Outcome PlaceCut(const JobParts& s, int pass, const QString& planPath, const PlanCut& cut,
                 const QByteArray& jobDigest) {
    if (cut.kind == CutKind::Cut) {
        const QString cutPath = PathIn(s.StartDirectory, RecoveryPlanFileName);
        Outcome written = WritePlanFile(cut.text, cutPath);
        if (written)
            written = WriteProgressRecord(s.StartDirectory,
                                          {pass, 0, false, PlanDigest(cut.text), jobDigest});
        if (written && pass == 2)
            written = WritePlanFile({}, PathIn(s.StartDirectory, PlanFileName));
        if (!written)
            return written;
        return RenameOver(s.Texts, cutPath, planPath);
    }
    // Nothing of this plan was done: it stays as it is.
    return pass == 2 ? WritePlanFile({}, PathIn(s.StartDirectory, PlanFileName)) : Outcome::Done();
}

Outcome CutRefusal(const JobParts& s, const PlanCut& cut, const QString& planPath,
                   HeadPosition saved, const RecoveryRecord& record, const QString& recoveryPath) {
    if (cut.kind == CutKind::OutOfRange)
        return Outcome::Failed(s.Texts.Text(TextKey::RecoveryOutOfRange)
                                   .arg(Native(planPath))
                                   .arg(cut.badLine)
                                   .arg(Native(recoveryPath))
                                   .arg(record.offsetX)
                                   .arg(record.offsetY)
                                   .arg(ReportableColumns - 1)
                                   .arg(ReportableRows - 1) +
                               NothingStarted(s.Texts));
    return Outcome::Failed(s.Texts.Text(TextKey::RecoveryPositionOffPlan)
                               .arg(saved.row)
                               .arg(saved.column)
                               .arg(Native(planPath)) +
                           NothingStarted(s.Texts));
}

} // namespace

std::optional<HeadPosition> ReadSavedPosition(Device& device) {
    // Nothing on the wire checks the position bytes, and a wrong position would strike dots
    // twice: it counts once two readings agree.
    std::optional<HeadPosition> previous;
    for (int reading = 0; reading < SavedPositionReadings; ++reading) {
        const std::optional<HeadPosition> saved = device.How();
        if (!saved)
            return std::nullopt;
        device.Op().ShowServiceValue(ServiceField::SavedRow, QString::number(saved->row));
        device.Op().ShowServiceValue(ServiceField::SavedColumn, QString::number(saved->column));
        if (previous && previous->row == saved->row && previous->column == saved->column)
            return saved;
        previous = saved;
    }
    return std::nullopt;
}

Outcome RecoverInterruptedJob(const JobParts& s, std::optional<HeadPosition> saved) {
    const Result<RecoveryRecord> record = ReadRecoveryFile(s.Texts, s.StartDirectory);
    if (!record)
        return record.AsOutcome();
    const QString recoveryPath = RecoveryFilePath(s.StartDirectory);
    if (record->resolutionIndex < 0 || record->resolutionIndex >= ResolutionCount)
        return Outcome::Failed(s.Texts.Text(TextKey::RecoveryNoResolution)
                                   .arg(Native(recoveryPath))
                                   .arg(record->resolutionIndex));
    if (!saved)
        return Outcome::Failed(s.Texts.Text(TextKey::RecoveryNoPosition) + NothingStarted(s.Texts));
    const int scale = 16 + record->resolutionIndex;
    for (const StrikeLevelSet* forces : {&record->firstPass, &record->secondPass}) {
        if (forces == &record->secondPass && !record->secondPassFollows)
            break;
        if (Outcome profiles = CheckStrikeProfiles(s.Texts, *forces, s.Machine.MotorSpeed, scale);
            !profiles)
            return profiles;
    }

    const Result<std::optional<ProgressRecord>> read =
        ReadProgressRecord(s.Texts, s.StartDirectory);
    if (!read)
        return Outcome::Failed(read.Message() + QLatin1Char('.') + NothingStarted(s.Texts));
    const std::optional<ProgressRecord>& progress = *read;
    const QByteArray jobDigest = JobDigest(*record);
    if (progress && progress->jobDigest != jobDigest)
        return Outcome::Failed(
            ChangedText(s.Texts, recoveryPath, s.Texts.Text(TextKey::RecoveryOtherJob)));
    const int pass = record->secondPassStarted ? 2 : 1;
    const QString planPath =
        PathIn(s.StartDirectory, pass == 2 ? SecondPassPlanFileName : PlanFileName);
    if (progress) {
        if (Outcome finished = FinishInterruptedCut(s, *progress, pass, planPath); !finished)
            return finished;
    }
    const Result<std::vector<PlanLine>> plan = ReadPlan(planPath, s.Texts);
    if (!plan)
        return plan.AsOutcome();
    const Result<QByteArray> digest = FileDigest(s.Texts, planPath);
    if (!digest)
        return digest.AsOutcome();
    const int planLines = plan->empty() ? 0 : plan->back().number;
    const Result<std::optional<PlanProgress>> word =
        CheckRecord(s, progress, pass, planPath, *digest, planLines);
    if (!word)
        return word.AsOutcome();
    const PlanCut cut = CutPlan(*plan, *saved, record->offsetX, record->offsetY, *word);
    if (cut.kind == CutKind::NotFound || cut.kind == CutKind::OutOfRange)
        return CutRefusal(s, cut, planPath, *saved, *record, recoveryPath);
    Outcome placed = PlaceCut(s, pass, planPath, cut, jobDigest);
    if (placed) {
        TakeJobSettings(s, *record);
        const int warmUps = s.Job.WarmUpRounds;
        s.Job = JobState{};
        s.Job.WarmUpRounds = warmUps;
        placed = OpenJobPlan(s, 1, PathIn(s.StartDirectory, PlanFileName));
    }
    if (!placed)
        return placed;
    s.Dev.SetMotorSpeedScale(s.Config.ResolutionIndex);
    // Checked above at the job's scale. A link lost on the way leaves the scale unsent and
    // may refuse here; the operator hears of it, and the lost link stops the resume anyway.
    Tell(s.Op, s.Dev.SetStrike(s.Levels.FirstPassLevels));
    return Outcome::Done();
}

Outcome ResumeInterruptedJob(const JobParts& s) {
    const bool linkUp = s.Link.DeviceReady;
    s.Timers.Stop(TimerId::Timer4);
    s.Op.LockForJob();
    const std::optional<HeadPosition> saved = ReadSavedPosition(s.Dev);
    for (int round = 0; round < s.Job.WarmUpRounds; ++round)
        WarmUp(s.Dev, s.Texts.Status(8));
    if (Outcome recovered = RecoverInterruptedJob(s, saved); !recovered) {
        s.Timers.Stop(TimerId::CrushTimer);
        s.Job.Plan.reset();
        GiveMenusBack(s.Op, s.Link);
        return recovered;
    }
    s.Dev.SetRegister54();
    s.Dev.SetRegister55();
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Dev.SetMotorSpeed(s.Machine.MotorSpeed);
    s.Timers.Stop(TimerId::CrushTimer);
    if (linkUp && !s.Link.DeviceReady) {
        // The set-up did not reach the machine: nothing is begun. The cut plan is in place
        // and the progress record points before its first line, so the next try resumes here.
        // The link told its loss itself.
        s.Job.Plan.reset();
        s.Op.LockForJob();
        return Outcome::Failed({});
    }
    return BeginJobLoop(s);
}

void DropUnfinishedJob(const QString& startDirectory, WindowTimers& timers) {
    RemoveJobRecords(startDirectory);
    timers.Stop(TimerId::Timer3);
}

Outcome ServiceStartOne(const JobParts& s) {
    s.Job = JobState{};
    const QString planPath = PathIn(s.StartDirectory, PlanFileName);
    Outcome opened = OpenJobPlan(s, 1, planPath);
    if (opened) {
        // The service start's own short record: recovery refuses it by its missing lines.
        const QStringList lines{s.Picture.PicturePath, QString::number(s.Place.PictureOffsetX),
                                QString::number(s.Place.PictureOffsetY),
                                QString::number(s.Levels.SingleStrikeForce)};
        const QString error = WriteTextFileAtomically(RecoveryFilePath(s.StartDirectory), lines);
        if (!error.isEmpty())
            opened = Outcome::Failed(error);
    }
    if (!opened) {
        s.Job.Plan.reset();
        return opened;
    }
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    s.Job.PlanLine = 0;
    return BeginJobLoop(s);
}

Outcome ServiceStartTwo(const JobParts& s) {
    const std::optional<HeadPosition> saved = ReadSavedPosition(s.Dev);
    return RecoverInterruptedJob(s, saved);
}

} // namespace zeb
