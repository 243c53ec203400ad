#pragma once
// A whole program session for job tests: a fresh start directory, the start-up run against
// the in-process virtual controller on a virtual clock, timers ticked by hand.
//
// How to drive it:
//   - JobRig rig; rig.OpenPicture(image);     the Open road with a picture made in the test;
//   - rig.Start(); rig.Run();                 a job start, then ticks until the timer stops;
//   - rig.WritePlan("GoTo: ...", ...)         a plan file of hand-written lines;
//   - rig.Restart();                          the program killed and started again: a new
//                                             session on the same controller and files;
//   - rig.vc.Workpiece(), rig.Sent()          what the machine did.

#include "common/manual_timers.h"
#include "common/recording_operator.h"
#include "common/temp_dir.h"
#include "job/job_plan_strikes.h"
#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/recovery.h"
#include "job/session.h"
#include "job/start_up.h"
#include "picture/open_command.h"
#include "setup/strike_levels_helpers.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QFile>
#include <QImage>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zeb::testing {

// Two blocks side by side over the same rows, in four greys: several areas and long lines.
inline QImage Blocks() {
    QImage image(30, 14, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 13; ++y)
        for (int x = 1; x < 29; ++x)
            if (x < 13 || x > 16)
                image.setPixel(x, y, qRgb(70 + 60 * ((x + y) % 4), 0, 0));
    return image;
}

// The job start began the job on the machine.
inline bool Begun(const Result<JobStart>& start) {
    return start && start->begun;
}

struct JobRig {
    using LineWrapper = std::function<std::unique_ptr<SerialLine>(std::unique_ptr<SerialLine>)>;

    // `wrap`: see wrapLine; given here, the first session talks over it too.
    explicit JobRig(sim::ControllerOptions options = {}, LineWrapper wrap = {})
        : wrapLine(std::move(wrap)), vc(std::move(options)) {
        Restart();
    }

    // A new session on the same controller and start directory, as after a killed program.
    void Restart() {
        s.reset();
        op = std::make_unique<RecordingOperator>();
        timers = std::make_unique<ManualTimers>();
        std::unique_ptr<SerialLine> line = std::make_unique<sim::SimLine>(vc, clock);
        if (wrapLine)
            line = wrapLine(std::move(line));
        s = std::make_unique<Session>(*op, *timers, clock, std::move(line));
        StartUp(*s, {});
    }

    // The Open road with `image` saved as a bitmap in the start directory.
    void OpenPicture(const QImage& image, bool combined = false) {
        const QString path = dir.File(QStringLiteral("picture.bmp"));
        image.save(path, "BMP");
        s->Picture.CombinedConversion = combined;
        OpenCommandContext ctx = OpenContext(*s);
        OpenCommandDialogs dialogs;
        dialogs.runOpenDialog = [path] { return std::optional<QString>(path); };
        Tell(*op, zeb::OpenPicture(ctx, dialogs));
    }

    // What the window does with a core operation's outcome: tells the operator why it was not
    // done. True when it was.
    bool Shown(const Outcome& outcome) {
        Tell(*op, outcome);
        return outcome.Ok();
    }

    // "Работа" as the window runs it: the job start, then what it came to told to the
    // operator (why it did not start; why there is no estimate).
    Result<JobStart> Start() {
        Result<JobStart> start = zeb::StartJob(*s);
        Tell(*op, start);
        if (start && start->begun)
            Tell(*op, start->estimate);
        return start;
    }

    // `image` opened, the first pass's forces 40, 30, 20, 10 and the second's 16, 12, 8, 4.
    void PrepareJob(const QImage& image, bool doublePass = false, bool combined = false) {
        OpenPicture(image, combined);
        s->Levels.FirstPassLevels = Forces(40, 30, 20, 10);
        s->Levels.SecondPassLevels = Forces(16, 12, 8, 4);
        s->Levels.DoublePassPending = doublePass;
    }

    // "Работа" on `image` as PrepareJob leaves it; false when the job did not start.
    bool StartJob(const QImage& image, bool doublePass = false, bool combined = false) {
        PrepareJob(image, doublePass, combined);
        return Begun(Start());
    }

    // "Завершить незавершенный проект" after `warmUpRounds` rounds of warm-up; true when the
    // job runs again.
    bool Resume(int warmUpRounds = 0) {
        s->Job.WarmUpRounds = warmUpRounds;
        return Shown(ResumeInterruptedJob(*s));
    }

    // What the operator was told, for a failure message.
    std::string Told() const {
        return "told: " + op->messages.join(QStringLiteral(" | ")).toStdString();
    }

    // The operator's last message holds `part`.
    ::testing::AssertionResult Said(const char* part) const {
        if (op->messages.isEmpty())
            return ::testing::AssertionFailure() << "nothing was said";
        if (!op->messages.last().contains(QString::fromUtf8(part)))
            return ::testing::AssertionFailure() << "said: " << op->messages.last().toStdString();
        return ::testing::AssertionSuccess();
    }

    // The dots `plan` asks for where the picture lies now.
    std::map<Dot, int> Planned(const char* plan = "123123123.txt") const {
        return PlannedDots(Read(plan), s->Place.PictureOffsetX, s->Place.PictureOffsetY);
    }

    // Lines of a plan file, each ended with CR LF.
    QByteArray WritePlan(const char* name, const QStringList& lines) {
        QByteArray text;
        for (const QString& line : lines)
            text += line.toLatin1() + "\r\n";
        Write(name, text);
        return text;
    }

    void Write(const char* name, const QByteArray& bytes) const {
        QFile file(dir.File(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QByteArray Read(const char* name) const {
        QFile file(dir.File(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The files of an interrupted job, byte for byte.
    QByteArrayList JobFiles() const {
        return {Read("ErorFile.txt"), Read("123123123.txt"), Read("123Sec.txt"),
                Read("ErorProgress.txt")};
    }

    bool Exists(const char* name) const {
        return QFile::exists(dir.File(QString::fromLatin1(name)));
    }

    // Ticks the job timer until it stops (or `maxTicks` ran); the outcomes in order, or
    // NotRunning alone when the timer did not run.
    std::vector<TickResult> Run(int maxTicks = 100000) {
        std::vector<TickResult> results;
        while (timers->Running(TimerId::Optimizing) && maxTicks-- > 0)
            results.push_back(RunNextPlanLine(*s).result);
        if (results.empty())
            results.push_back(TickResult::NotRunning);
        return results;
    }

    // The commands the controller accepted since the last call, data frames left out: their
    // names, or with `codes` their four code bytes in hex.
    QStringList Sent(bool codes = false) {
        QStringList sent;
        const auto& trace = vc.Trace();
        for (; m_seen < trace.size(); ++m_seen) {
            const auto& c = trace[m_seen];
            if (c.verdict == sim::FrameVerdict::Accepted && c.name != "data" && c.name != "profile")
                sent << (codes ? QString::fromLatin1(c.frame.left(4).toHex(' ').toUpper())
                               : c.name);
        }
        return sent;
    }

    // The controller's strikes [from, to) in the order struck.
    std::vector<StruckDot> Struck(size_t from = 0, size_t to = SIZE_MAX) const {
        std::vector<StruckDot> dots;
        for (size_t i = from; i < to && i < vc.Workpiece().size(); ++i) {
            const auto& d = vc.Workpiece()[i];
            dots.push_back({d.row, d.column, d.profile, d.force});
        }
        return dots;
    }

    // Set before Restart: the line the next session talks over, wrapped around the
    // controller's own.
    LineWrapper wrapLine;
    ScopedStartDirectory dir;
    VirtualClock clock;
    sim::VirtualController vc;
    std::unique_ptr<RecordingOperator> op;
    std::unique_ptr<ManualTimers> timers;
    std::unique_ptr<Session> s;

private:
    size_t m_seen = 0;
};

} // namespace zeb::testing
