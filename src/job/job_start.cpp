#include "job/job_start.h"

#include "job/job_runner.h"
#include "job/plan_builder.h"
#include "job/plan_format.h"
#include "setup/settings_file.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QFile>

namespace zeb {

namespace {

constexpr int JobGreetings = 5;

// The plan as recovery and the second pass will read it; the second pass gets its own copy.
Outcome WriteJobFiles(const JobParts& s, const QString& planPath) {
    QFile plan(planPath);
    if (!plan.open(QIODevice::ReadOnly))
        return Outcome::Failed(s.Texts.Text(TextKey::JobPlanNotRead)
                                   .arg(QDir::toNativeSeparators(planPath), plan.errorString()));
    const QByteArray bytes = plan.readAll();
    plan.close();
    if (s.Levels.DoublePassPending) {
        if (Outcome copied =
                WritePlanFile(bytes, QDir(s.StartDirectory).filePath(SecondPassPlanFileName));
            !copied)
            return copied;
    }
    const Outcome recorded = WriteRecoveryFile(s.StartDirectory, JobRecoveryRecord(s, false));
    if (!recorded)
        return Outcome::Failed(
            s.Texts.Text(TextKey::JobRecoveryNotWritten)
                .arg(QDir::toNativeSeparators(RecoveryFilePath(s.StartDirectory)),
                     recorded.Message()));
    return Outcome::Done();
}

// Names the unfinished job as its recovery file records it.
QString UnfinishedJobQuestion(const TextCatalogue& texts, const QString& startDirectory) {
    const Result<RecoveryRecord> job = ReadRecoveryFile(texts, startDirectory);
    const QString what =
        job ? texts.Text(TextKey::JobUnfinishedWhat)
                  .arg(QDir::toNativeSeparators(job->picturePath),
                       job->secondPassStarted ? texts.Text(TextKey::JobUnfinishedSecondPass)
                                              : texts.Text(TextKey::JobUnfinishedFirstPass))
            : job.Message();
    return texts.Text(TextKey::JobUnfinishedQuestion)
        .arg(what, QDir::toNativeSeparators(RecoveryFilePath(startDirectory)));
}

// Asks whether to strike a picture that reaches outside the field; true when it fits.
bool OutsideFieldTaken(const JobParts& s, OutsideField outside) {
    const FieldOverhang overhang = JobOverhang(s.Place, s.View, s.Config);
    if (overhang.Fits() || outside == OutsideField::Accepted)
        return true;
    return s.Op.Confirm(OutsideFieldText(s.Texts, overhang) + QStringLiteral("\n\n") +
                        s.Texts.Text(TextKey::FieldJobQuestion));
}

} // namespace

FieldOverhang JobOverhang(const Placement& place, const FieldView& view, const Settings& config) {
    return Overhang(QSize(place.PictureWidth, place.PictureHeight),
                    QPoint(place.PictureOffsetX, place.PictureOffsetY),
                    FieldSize(view.Image1.size(), config.ResolutionIndex), config.ResolutionIndex);
}

void OpenEngravingProperties(const JobParts& s) {
    s.Op.LockForJob();
}

Outcome CheckJobForces(const StrikeLevels& levels, const MachineState& machine,
                       const Settings& config, const TextCatalogue& texts, bool doublePass) {
    const int speed = machine.MotorSpeed;
    const int scale = 16 + config.ResolutionIndex;
    for (int pass = 1; pass <= (doublePass ? 2 : 1); ++pass) {
        const StrikeLevelSet& forces = pass == 1 ? levels.FirstPassLevels : levels.SecondPassLevels;
        const QString heading = pass == 1 ? texts.Text(TextKey::JobFirstPassHeading)
                                          : texts.Text(TextKey::JobSecondPassHeading);
        // A force its slider cannot show (a slider set to where it already stood keeps the
        // force it had) is never struck unseen.
        for (int level = 4; level >= 1; --level) {
            const int lowest = pass == 2 && level == 4 ? 0 : 1;
            if (forces[level] < lowest || forces[level] > StrikeLevels::MaxForce)
                return Outcome::Failed(heading + texts.Text(TextKey::JobForceOutsideSlider)
                                                     .arg(8 * level)
                                                     .arg(forces[level])
                                                     .arg(lowest)
                                                     .arg(StrikeLevels::MaxForce));
        }
        if (Outcome profiles = CheckStrikeProfiles(texts, forces, speed, scale); !profiles)
            return Outcome::Failed(heading + profiles.Message());
    }
    return Outcome::Done();
}

Result<JobStart> StartJob(const JobParts& s, const std::function<void()>& choicesTaken,
                          OutsideField outside) {
    // Refused before anything is sent or written: the operator corrects the panel and starts
    // again.
    if (Outcome picture = CheckPlanInput(s.Matrices); !picture)
        return picture;
    if (Outcome forces =
            CheckJobForces(s.Levels, s.Machine, s.Config, s.Texts, s.Levels.DoublePassPending);
        !forces)
        return forces;
    // Never silent: strikes left of or above the field cannot be resumed, and those beyond
    // the other edges miss the work field. "Нет" leaves everything as it was.
    if (!OutsideFieldTaken(s, outside))
        return Outcome::Failed({});
    // An unfinished job is never replaced unasked: its plan and records go only when the
    // operator gives it up.
    if (RecoveryFileExists(s.StartDirectory)) {
        if (!s.Op.Confirm(UnfinishedJobQuestion(s.Texts, s.StartDirectory))) {
            GiveMenusBack(s.Op, s.Link);
            return Outcome::Failed({});
        }
        RemoveJobRecords(s.StartDirectory);
        s.Unfinished.Pending = false;
    }

    // A job started without the machine only paints the picture; one whose link fails while
    // the machine is being set up must not begin with half its set-up.
    const bool linkUp = s.Link.DeviceReady;
    s.Op.LockForJob();
    s.Config.SettingsMissing = false;
    const QString saveError = SaveSettings(s.StartDirectory, s.Config, s.Levels, s.Machine);
    if (!saveError.isEmpty())
        s.Op.ShowMessage(saveError);
    s.Timers.Stop(TimerId::Timer4);
    if (choicesTaken)
        choicesTaken();

    const PassMode pass = s.Levels.HighQuality() ? PassMode::OneSided : PassMode::TwoSided;
    if (const Result<PlanFiles> plan = BuildPlan(s.Matrices, s.StartDirectory, pass, s.Op); !plan) {
        GiveMenusBack(s.Op, s.Link);
        return plan.AsOutcome();
    }

    for (int i = 0; i < JobGreetings; ++i)
        s.Dev.Hi();
    s.Dev.SetRegister54();
    s.Dev.SetRegister55();

    const QString planPath = QDir(s.StartDirectory).filePath(PlanFileName);
    s.Job = JobState{};
    Outcome files = OpenJobPlan(s, 1, planPath);
    if (files)
        files = WriteJobFiles(s, planPath);
    if (!files) {
        s.Job.Plan.reset();
        GiveMenusBack(s.Op, s.Link);
        return files;
    }

    s.Dev.SetMotorSpeedScale(s.Config.ResolutionIndex);
    s.Dev.SetMotorSpeed(s.Machine.MotorSpeed);
    if (Outcome profiles = s.Dev.SetStrike(s.Levels.FirstPassLevels); !profiles) {
        // Nothing was struck and no print job opened: the job never began.
        s.Job.Plan.reset();
        RemoveJobRecords(s.StartDirectory);
        GiveMenusBack(s.Op, s.Link);
        return profiles;
    }
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    if (linkUp && !s.Link.DeviceReady) {
        // Nothing was struck: the recovery file stays, and resuming starts the plan afresh.
        s.Job.Plan.reset();
        s.Op.LockForJob();
        return JobStart{};
    }
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    if (Outcome begun = BeginJobLoop(s); !begun)
        return begun;
    return JobStart{true, EstimateJob(s, planPath)};
}

Result<JobEstimate> EstimateJob(const JobParts& s, const QString& planPath) {
    s.Dev.MeasureLinkTime();
    Result<JobEstimate> estimate =
        EstimateJobDuration(planPath, JobEstimateInputs(s, s.Machine.LinkTime), s.Time);
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    return estimate;
}

EstimateInputs JobEstimateInputs(const JobParts& s, int linkTime) {
    EstimateInputs inputs;
    inputs.machine = s.Machine;
    inputs.linkTime = linkTime;
    inputs.deviceReady = s.Link.DeviceReady;
    inputs.doublePassPending = s.Levels.DoublePassPending;
    inputs.pictureOffsetX = s.Place.PictureOffsetX;
    inputs.pictureOffsetY = s.Place.PictureOffsetY;
    return inputs;
}

} // namespace zeb
