#include "job/job_runner.h"

#include "job/plan_format.h"
#include "job/progress_record.h"
#include "setup/self_test.h"
#include "text/text_catalogue.h"

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

void Paint(QImage& image, int row, int firstColumn, int step, QByteArrayView digits,
           TickOutcome& outcome) {
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

int StepCount(qint64 steps) {
    return static_cast<int>(std::min<qint64>(steps, INT_MAX));
}

Outcome Move(Device& dev, MachineState& m, int row, int column) {
    const qint64 dy = qint64(row) - m.CurrentRow;
    if (dy > 0) {
        if (Outcome up = dev.StepUp(StepCount(2 * dy)); !up)
            return up;
    }
    if (dy < 0) {
        if (Outcome down = dev.StepDown(StepCount(2 * (-dy + LowerRowOvershoot))); !down)
            return down;
        // Two steps always fit a move.
        for (int i = 0; i < LowerRowOvershoot; ++i)
            (void)dev.StepUp(2);
    }
    m.CurrentRow = row;
    const qint64 dx = qint64(column) - m.CurrentCol;
    if (dx != 0) {
        if (Outcome across = dx > 0 ? dev.Left(StepCount(dx)) : dev.Right(StepCount(-dx)); !across)
            return across;
    }
    m.CurrentCol = column;
    return Outcome::Done();
}

Outcome ScaleY(Device& dev, const TextCatalogue& texts, int value) {
    if (value < 0 || value > 255)
        return Outcome::Failed(texts.Text(TextKey::JobScaleOutside).arg(value));
    dev.ProgY_Motor(ScaleRegister, static_cast<quint8>(value));
    return Outcome::Done();
}

// A backward line in portrait mode goes in three parts when it is longer than two chunks:
// the Y motor's scale is nudged one up for the first chunk and one down for the last, so the
// line's ends come out as sharp as its middle.
Outcome SendBackward(const JobParts& s, const QByteArray& digits) {
    const int chunk = s.Config.ChunkLength;
    const int length = static_cast<int>(digits.size());
    if (!s.Levels.PortraitMode || chunk < 1 || length <= 2 * chunk) {
        s.Dev.PrintLine(LineDirection::Backward, digits);
        return Outcome::Done();
    }
    const int r = s.Config.ResolutionIndex;
    const QByteArray parts[] = {digits.first(chunk), digits.sliced(chunk, length - 2 * chunk),
                                digits.last(chunk)};
    // Each part with its own scale: one up, as set, one down.
    for (int i = 0; i < 3; ++i) {
        if (Outcome scaled = ScaleY(s.Dev, s.Texts, r + 17 - i); !scaled)
            return scaled;
        s.Dev.PrintLine(LineDirection::Backward, parts[i]);
    }
    return ScaleY(s.Dev, s.Texts, r + 16);
}

Outcome StrikeLine(const JobParts& s, const PlanRecord& record, TickOutcome& outcome) {
    const QByteArray digits = StruckDigits(record.digits).toByteArray();
    if (digits.isEmpty())
        return Outcome::Done();
    if (Outcome recorded = RecordProgress(s.Job, s.StartDirectory, s.Texts); !recorded)
        return recorded;
    const bool forward = record.kind == PlanRecordKind::Forward;
    const int row = s.Machine.CurrentRow;
    const int start = s.Machine.CurrentCol;
    if (forward)
        s.Dev.PrintLine(LineDirection::Forward, digits);
    else if (Outcome sent = SendBackward(s, digits); !sent)
        return sent;
    if (s.SelfTest.Enabled)
        StepControl(s.Dev, s.SelfTest);
    Paint(s.View.Image1, row, forward ? start : start - 1, forward ? 1 : -1, digits, outcome);
    ++s.Job.StrikeLinesSent;
    for (char d : digits)
        s.Job.DotsStruck += d != '0';
    return Outcome::Done();
}

// One plan line, or why it could not be carried out. Only strike lines are recorded: a head
// stopped on a move or at the needle lies on the approach after the last recorded strike
// line, where recovery looks next anyway.
Outcome Execute(const JobParts& s, const PlanLine& line, TickOutcome& outcome) {
    const PlanRecord& record = line.record;
    switch (record.kind) {
    case PlanRecordKind::Move:
        return Move(s.Dev, s.Machine, record.row + s.Place.PictureOffsetY,
                    record.column + s.Place.PictureOffsetX);
    case PlanRecordKind::Forward:
    case PlanRecordKind::Backward:
        return StrikeLine(s, record, outcome);
    case PlanRecordKind::NeedleUp:
        s.Dev.Up();
        break;
    case PlanRecordKind::NeedleDown:
        s.Dev.Put(1);
        break;
    case PlanRecordKind::Other:
        break;
    }
    return Outcome::Done();
}

void ClosePlan(JobState& job) {
    job.Plan.reset();
    job.Running = false;
}

// The plan could not be carried on. The operator is told at once, while the job stands where
// it stopped (the message comes from inside the job loop, as a lost link's does), then the job
// is ended as "Завершить работу" ends it, so it can be resumed.
TickOutcome Stop(const JobParts& s, const Outcome& why) {
    Tell(s.Op, why);
    EndJobForLater(s);
    return {TickResult::Stopped, false};
}

// Some failures take the link down without marking LinkError (a data frame of a strike line
// without answer, a greeting of the estimate); going on would only paint the rest and then
// drop the recovery file as if the job were done.
bool LinkDown(const LinkState& link, const JobState& job) {
    return link.LinkError || (job.LinkExpected && !link.DeviceReady);
}

TickOutcome LinkStop(const JobParts& s, bool pictureChanged) {
    s.Timers.Stop(TimerId::Optimizing);
    ClosePlan(s.Job);
    s.Op.LockForJob();
    return {TickResult::LinkLost, pictureChanged};
}

TickOutcome Complete(const JobParts& s) {
    s.Timers.Stop(TimerId::Optimizing);
    s.Dev.EndPrint();
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    s.Dev.SwitchOff();
    s.Op.LockForJob();
    RemoveJobRecords(s.StartDirectory);
    ClosePlan(s.Job);
    s.Timers.Start(TimerId::Timer2, 1);
    return {TickResult::Completed, false};
}

} // namespace

Outcome RecordProgress(JobState& job, const QString& startDirectory, const TextCatalogue& texts) {
    const ProgressRecord record{job.Pass, job.PlanLine, job.Begun, job.PlanDigest, job.JobDigest};
    if (!job.Progress)
        return WriteProgressRecord(startDirectory, record);
    const Outcome updated = job.Progress->Update(record);
    if (updated)
        return updated;
    return Outcome::Failed(
        texts.Text(TextKey::JobProgressNotWritten)
            .arg(QDir::toNativeSeparators(ProgressFilePath(startDirectory)), updated.Message()));
}

RecoveryRecord JobRecoveryRecord(const JobParts& s, bool secondPassStarted) {
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

void GiveMenusBack(Operator& op, const LinkState& link) {
    if (link.DeviceReady)
        op.UnlockUI();
    else
        op.LockUI();
}

Outcome OpenJobPlan(const JobParts& s, int pass, const QString& path) {
    const Result<QByteArray> digest = FileDigest(s.Texts, path);
    if (!digest)
        return digest.AsOutcome();
    auto reader = std::make_unique<PlanReader>(path, s.Texts);
    if (Outcome opened = reader->Open(); !opened)
        return opened;
    // Put in place whole, then held open for the updates line by line.
    const ProgressRecord record{pass, 0, false, *digest, JobDigest(JobRecoveryRecord(s, false))};
    auto progress = std::make_unique<ProgressFile>();
    Outcome recorded = WriteProgressRecord(s.StartDirectory, record);
    if (recorded)
        recorded = progress->Open(s.StartDirectory);
    if (!recorded)
        return recorded;
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
    return Outcome::Done();
}

Outcome BeginJobLoop(const JobParts& s) {
    s.Dev.BeginPrint();
    s.Job.LinkExpected = s.Link.DeviceReady;
    if (s.Link.DeviceReady) {
        // From here the machine's saved position belongs to this plan.
        s.Job.Begun = true;
        if (Outcome recorded = RecordProgress(s.Job, s.StartDirectory, s.Texts); !recorded) {
            EndJobForLater(s);
            return recorded;
        }
    }
    s.Job.Running = true;
    s.Timers.Start(TimerId::Optimizing, 1);
    return Outcome::Done();
}

TickOutcome RunNextPlanLine(const JobParts& s) {
    s.Op.LockForJob();
    JobState& job = s.Job;
    if (!job.Plan) {
        s.Timers.Stop(TimerId::Optimizing);
        s.Op.LockForJob();
        return {TickResult::NotRunning, false};
    }
    if (LinkDown(s.Link, s.Job))
        return LinkStop(s, false);
    const Result<std::optional<PlanLine>> next = job.Plan->Next();
    if (!next)
        return Stop(s, next.AsOutcome());
    if (!*next) {
        if (!s.Levels.DoublePassPending)
            return Complete(s);
        return {StartSecondPass(s), false};
    }
    const PlanLine& line = **next;
    job.PlanLine = line.number;
    job.PlanBytesRead += line.text.size() + 2;
    TickOutcome outcome;
    // A line that fails has painted nothing: the marks come after the line was sent.
    if (Outcome done = Execute(s, line, outcome); !done)
        return Stop(s, done);
    if (LinkDown(s.Link, s.Job))
        return LinkStop(s, outcome.pictureChanged);
    return outcome;
}

TickResult StartSecondPass(const JobParts& s) {
    const bool linkUp = s.Link.DeviceReady;
    JobState& job = s.Job;
    job.SecondPassRunning = true;
    s.Timers.Stop(TimerId::Timer4);
    Outcome opened = WriteRecoveryFile(s.StartDirectory, JobRecoveryRecord(s, true));
    if (opened)
        opened = OpenJobPlan(s, 2, QDir(s.StartDirectory).filePath(SecondPassPlanFileName));
    if (!opened) {
        // A file, not the link: the job is ended for a later resume.
        return Stop(s, opened).result;
    }
    s.Levels.DoublePassPending = false;
    if (Outcome profiles = s.Dev.SetStrike(s.Levels.SecondPassLevels); !profiles)
        return Stop(s, profiles).result;
    s.Dev.SetMotorSpeedScale(s.Config.ResolutionIndex);
    s.Dev.ResetError(s.Config.FieldWidth, s.Config.FieldHeight);
    if (linkUp && !s.Link.DeviceReady) {
        // The second pass's set-up did not reach the machine: it is recorded, not begun.
        return LinkStop(s, false).result;
    }
    s.Machine.CurrentRow = 0;
    s.Machine.CurrentCol = 0;
    if (Outcome begun = BeginJobLoop(s); !begun) {
        // Ended for later already; the operator learns why now.
        Tell(s.Op, begun);
        return TickResult::Stopped;
    }
    return TickResult::SecondPassStarted;
}

void StopFollowUpTimers(WindowTimers& timers) {
    timers.Stop(TimerId::Timer2);
    timers.Stop(TimerId::Timer3);
}

} // namespace zeb
