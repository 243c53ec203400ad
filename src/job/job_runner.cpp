#include "job/job_runner.h"

#include "job/plan_format.h"
#include "job/progress_record.h"
#include "setup/self_test.h"

#include <QDir>
#include <QFileInfo>

#include <climits>
#include <utility>

namespace zeb {

namespace {

// Four extra rows down and back up again in two-step moves: the head always reaches a row
// moving in the StepUp direction, so the backlash of the Y drive is always taken the same way.
constexpr int LowerRowOvershoot = 4;
// Register 0x60 of the Y motor driver: the step scale.
constexpr quint8 ScaleRegister = 0x60;

void Paint(Session& s, int row, int firstColumn, int step, QByteArrayView digits,
           TickOutcome& outcome) {
    QImage& image = s.View.Image1;
    if (row < 0 || row >= image.height())
        return;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits[i] == '0')
            continue;
        const qsizetype column = firstColumn + step * i;
        if (column < 0 || column >= image.width())
            continue;
        image.setPixel(static_cast<int>(column), row, ProgressMarkColour);
        outcome.pictureChanged = true;
    }
}

// Records the line about to be sent; false, told, when that failed.
bool Recorded(Session& s) {
    const QString error = RecordProgress(s);
    if (!error.isEmpty())
        s.Op.ShowMessage(error);
    return error.isEmpty();
}

bool Move(Session& s, int row, int column) {
    MachineState& m = s.Machine;
    const qint64 dy = qint64(row) - m.CurrentRow;
    if (dy > 0 && !s.Dev.StepUp(static_cast<int>(std::min<qint64>(2 * dy, INT_MAX))))
        return false;
    if (dy < 0) {
        const qint64 down = 2 * (-dy + LowerRowOvershoot);
        if (!s.Dev.StepDown(static_cast<int>(std::min<qint64>(down, INT_MAX))))
            return false;
        for (int i = 0; i < LowerRowOvershoot; ++i)
            s.Dev.StepUp(2);
    }
    m.CurrentRow = row;
    const qint64 dx = qint64(column) - m.CurrentCol;
    if (dx > 0 && !s.Dev.Left(static_cast<int>(std::min<qint64>(dx, INT_MAX))))
        return false;
    if (dx < 0 && !s.Dev.Right(static_cast<int>(std::min<qint64>(-dx, INT_MAX))))
        return false;
    m.CurrentCol = column;
    return true;
}

bool ScaleY(Session& s, int value) {
    if (value < 0 || value > 255) {
        s.Op.ShowMessage(QStringLiteral("Значение %1 для регистра масштаба двигателя Y вне "
                                        "пределов 0..255; работа остановлена.")
                             .arg(value));
        return false;
    }
    s.Dev.ProgY_Motor(ScaleRegister, static_cast<quint8>(value));
    return true;
}

// A backward line in portrait mode goes in three parts when it is longer than two chunks:
// the Y motor's scale is nudged one up for the first chunk and one down for the last, so the
// line's ends come out as sharp as its middle.
bool SendBackward(Session& s, const QByteArray& digits) {
    const int chunk = s.Config.ChunkLength;
    const int length = static_cast<int>(digits.size());
    if (!s.Levels.PortraitMode || chunk < 1 || length <= 2 * chunk) {
        s.Dev.PrintLine(LineDirection::Backward, digits);
        return true;
    }
    const int r = s.Config.ResolutionIndex;
    if (!ScaleY(s, r + 17))
        return false;
    s.Dev.PrintLine(LineDirection::Backward, digits.first(chunk));
    if (!ScaleY(s, r + 16))
        return false;
    s.Dev.PrintLine(LineDirection::Backward, digits.sliced(chunk, length - 2 * chunk));
    if (!ScaleY(s, r + 15))
        return false;
    s.Dev.PrintLine(LineDirection::Backward, digits.last(chunk));
    return ScaleY(s, r + 16);
}

bool StrikeLine(Session& s, const PlanRecord& record, TickOutcome& outcome) {
    const QByteArray digits = StruckDigits(record.digits).toByteArray();
    if (digits.isEmpty())
        return true;
    if (!Recorded(s))
        return false;
    const bool forward = record.kind == PlanRecordKind::Forward;
    const int row = s.Machine.CurrentRow;
    const int start = s.Machine.CurrentCol;
    if (forward)
        s.Dev.PrintLine(LineDirection::Forward, digits);
    else if (!SendBackward(s, digits))
        return false;
    if (s.SelfTest.Enabled)
        StepControl(s.Dev, s.SelfTest);
    Paint(s, row, forward ? start : start - 1, forward ? 1 : -1, digits, outcome);
    ++s.Job.StrikeLinesSent;
    for (char d : digits)
        s.Job.DotsStruck += d != '0';
    return true;
}

// One plan line; false when it could not be carried out (the operator was told). Only strike
// lines are recorded: a head stopped on a move or at the needle lies on the approach after
// the last recorded strike line, where recovery looks next anyway.
bool Execute(Session& s, const PlanLine& line, TickOutcome& outcome) {
    const PlanRecord& record = line.record;
    switch (record.kind) {
    case PlanRecordKind::Move:
        return Move(s, record.row + s.Place.PictureOffsetY, record.column + s.Place.PictureOffsetX);
    case PlanRecordKind::Forward:
    case PlanRecordKind::Backward:
        return StrikeLine(s, record, outcome);
    case PlanRecordKind::NeedleUp:
        s.Dev.Up();
        return true;
    case PlanRecordKind::NeedleDown:
        s.Dev.Put(1);
        return true;
    case PlanRecordKind::Other:
        return true;
    }
    return true;
}

void ClosePlan(Session& s) {
    s.Job.Plan.reset();
    s.Place.JobRunning = false;
}

// The plan could not be carried on: ended as "Завершить работу" ends it, so it can be resumed.
TickOutcome Stop(Session& s) {
    Button28Click(s);
    return {TickResult::Stopped, false};
}

// Some failures take the link down without marking LinkError (a data frame of a strike line
// without answer, a greeting of the estimate); going on would only paint the rest and then
// drop the recovery file as if the job were done.
bool LinkDown(const Session& s) {
    return s.Link.LinkError || (s.Job.LinkExpected && !s.Link.DeviceReady);
}

TickOutcome LinkStop(Session& s, bool pictureChanged) {
    s.Timers.Stop(TimerId::Optimizing);
    ClosePlan(s);
    s.Op.LockForJob();
    return {TickResult::LinkLost, pictureChanged};
}

TickOutcome Complete(Session& s) {
    s.Timers.Stop(TimerId::Optimizing);
    s.Dev.EndPrint();
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Dev.Off();
    s.Link.DeviceReady = false;
    s.Op.LockForJob();
    RemoveJobRecords(s.StartDirectory);
    ClosePlan(s);
    s.Timers.Start(TimerId::Timer2, 1);
    return {TickResult::Completed, false};
}

} // namespace

QString RecordProgress(Session& s) {
    JobState& job = s.Job;
    const ProgressRecord record{job.Pass, job.PlanLine, job.Begun, job.PlanDigest, job.JobDigest};
    if (!job.Progress)
        return WriteProgressRecord(s.StartDirectory, record);
    const QString error = job.Progress->Update(record);
    if (error.isEmpty())
        return {};
    return QStringLiteral("Не удаётся записать файл %1 (%2): работа остановлена, чтобы при "
                          "восстановлении не ударить точку дважды.")
        .arg(QDir::toNativeSeparators(ProgressFilePath(s.StartDirectory)), error);
}

RecoveryRecord JobRecoveryRecord(const Session& s, bool secondPassStarted) {
    RecoveryRecord record;
    record.picturePath = s.Picture.PicturePath;
    record.offsetX = s.Place.PictureOffsetX;
    record.offsetY = s.Place.PictureOffsetY;
    record.firstPass = s.Levels.FirstPassLevels;
    record.secondPassFollows = s.Levels.DoublePassPending;
    record.secondPass = s.Levels.SecondPassLevels;
    record.resolutionIndex = s.Config.ResolutionIndex;
    record.secondPassStarted = secondPassStarted;
    return record;
}

QString OpenJobPlan(Session& s, int pass, const QString& path) {
    QString error;
    const QByteArray digest = FileDigest(path, &error);
    if (digest.isEmpty())
        return error;
    auto reader = std::make_unique<PlanReader>(path);
    if (!reader->Open())
        return reader->Error();
    // Put in place whole, then held open for the updates line by line.
    const ProgressRecord record{pass, 0, false, digest, JobDigest(JobRecoveryRecord(s, false))};
    error = WriteProgressRecord(s.StartDirectory, record);
    auto progress = std::make_unique<ProgressFile>();
    if (error.isEmpty())
        error = progress->Open(s.StartDirectory);
    if (!error.isEmpty())
        return error;
    JobState& job = s.Job;
    job.Pass = record.pass;
    job.PlanLine = record.line;
    job.Begun = record.begun;
    job.PlanDigest = record.planDigest;
    job.JobDigest = record.jobDigest;
    job.Plan = std::move(reader);
    job.Progress = std::move(progress);
    // A first pass with a second to follow counts its plan twice: the second is a copy.
    const int plans = pass == 1 && s.Levels.DoublePassPending ? 2 : 1;
    job.PlanBytesTotal = job.PlanBytesRead + plans * QFileInfo(path).size();
    return {};
}

bool BeginJobLoop(Session& s) {
    s.Dev.BeginPrint();
    s.Job.LinkExpected = s.Link.DeviceReady;
    if (s.Link.DeviceReady) {
        // From here the machine's saved position belongs to this plan.
        s.Job.Begun = true;
        if (!Recorded(s)) {
            Button28Click(s);
            return false;
        }
    }
    s.Place.JobRunning = true;
    s.Timers.Start(TimerId::Optimizing, 1);
    return true;
}

TickOutcome OptimizingTimer(Session& s) {
    s.Op.LockForJob();
    JobState& job = s.Job;
    if (!job.Plan) {
        s.Timers.Stop(TimerId::Optimizing);
        s.Op.LockForJob();
        return {TickResult::NotRunning, false};
    }
    if (LinkDown(s))
        return LinkStop(s, false);
    PlanLine line;
    if (!job.Plan->Next(line)) {
        if (!job.Plan->Error().isEmpty()) {
            s.Op.ShowMessage(job.Plan->Error());
            return Stop(s);
        }
        if (!s.Levels.DoublePassPending)
            return Complete(s);
        return {StartSecondPass(s), false};
    }
    job.PlanLine = line.number;
    job.PlanBytesRead += line.text.size() + 2;
    TickOutcome outcome;
    if (!Execute(s, line, outcome)) {
        const bool changed = outcome.pictureChanged;
        outcome = Stop(s);
        outcome.pictureChanged = changed;
        return outcome;
    }
    if (LinkDown(s))
        return LinkStop(s, outcome.pictureChanged);
    return outcome;
}

TickResult StartSecondPass(Session& s) {
    const bool linkUp = s.Link.DeviceReady;
    JobState& job = s.Job;
    job.SecondPassRunning = true;
    s.Timers.Stop(TimerId::Timer4);
    QString error = WriteRecoveryFile(s.StartDirectory, JobRecoveryRecord(s, true));
    if (error.isEmpty())
        error = OpenJobPlan(s, 2, QDir(s.StartDirectory).filePath(SecondPassPlanFileName));
    if (!error.isEmpty()) {
        // A file, not the link: the job is ended for a later resume.
        s.Op.ShowMessage(error);
        return Stop(s).result;
    }
    s.Levels.DoublePassPending = false;
    if (!s.Dev.SetStrike(s.Levels.SecondPassLevels))
        return Stop(s).result;
    s.Dev.SetMotorSpeedScale(s.Config.ResolutionIndex);
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    if (linkUp && !s.Link.DeviceReady) {
        // The second pass's set-up did not reach the machine: it is recorded, not begun.
        return LinkStop(s, false).result;
    }
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    return BeginJobLoop(s) ? TickResult::SecondPassStarted : TickResult::Stopped;
}

void Timer2Timer(WindowTimers& timers) {
    timers.Stop(TimerId::Timer2);
    timers.Stop(TimerId::Timer3);
}

} // namespace zeb
