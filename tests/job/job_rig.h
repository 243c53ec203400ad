#pragma once
// A whole program session for job tests: a fresh start directory, the start-up run against
// the in-process virtual controller on a virtual clock, timers ticked by hand.
//
// How to drive it:
//   - JobRig rig; rig.OpenPicture(image);     the Open road with a picture made in the test;
//   - Button17Click(*rig.s); rig.Run();       a job start, then ticks until the timer stops;
//   - rig.WritePlan("GoTo: ...", ...)         a plan file of hand-written lines;
//   - rig.Restart();                          the program killed and started again: a new
//                                             session on the same controller and files;
//   - rig.vc.Workpiece(), rig.Sent()          what the machine did.

#include "common/manual_timers.h"
#include "common/recording_operator.h"
#include "common/temp_dir.h"
#include "job/job_plan_strikes.h"
#include "job/job_runner.h"
#include "job/session.h"
#include "job/start_up.h"
#include "picture/open_command.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QFile>
#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace zeb::testing {

struct JobRig {
    explicit JobRig(sim::ControllerOptions options = {}) : vc(std::move(options)) { Restart(); }

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
        OpenCommandContext ctx{*op,         s->Tables,  s->Picture,
                               s->Matrices, s->Place,   s->Config.ResolutionIndex,
                               s->View,     s->Machine, &s->Dev};
        OpenCommandDialogs dialogs;
        dialogs.runOpenDialog = [path] { return std::optional<QString>(path); };
        OpenClick(ctx, dialogs);
    }

    // Lines of a plan file, each ended with CR LF.
    QByteArray WritePlan(const char* name, const QStringList& lines) {
        QByteArray text;
        for (const QString& line : lines)
            text += line.toLatin1() + "\r\n";
        QFile file(dir.File(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return text;
    }

    QByteArray Read(const char* name) const {
        QFile file(dir.File(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool Exists(const char* name) const {
        return QFile::exists(dir.File(QString::fromLatin1(name)));
    }

    // Ticks the job timer until it stops (or `maxTicks` ran); the outcomes in order, or
    // NotRunning alone when the timer did not run.
    std::vector<TickResult> Run(int maxTicks = 100000) {
        std::vector<TickResult> results;
        while (timers->Running(TimerId::Optimizing) && maxTicks-- > 0)
            results.push_back(OptimizingTimer(*s).result);
        if (results.empty())
            results.push_back(TickResult::NotRunning);
        return results;
    }

    // Names of the commands the controller accepted since the last call, data frames left out.
    QStringList Sent() {
        QStringList names;
        const auto& trace = vc.Trace();
        for (size_t i = m_seen; i < trace.size(); ++i) {
            const auto& c = trace[i];
            if (c.verdict == sim::FrameVerdict::Accepted && c.name != "data" && c.name != "profile")
                names << c.name;
        }
        m_seen = trace.size();
        return names;
    }

    // The four code bytes of every accepted command since the last call, in hex.
    QStringList SentCodes() {
        QStringList codes;
        const auto& trace = vc.Trace();
        for (size_t i = m_seen; i < trace.size(); ++i) {
            const auto& c = trace[i];
            if (c.verdict == sim::FrameVerdict::Accepted && c.name != "data" && c.name != "profile")
                codes << QString::fromLatin1(c.frame.left(4).toHex(' ').toUpper());
        }
        m_seen = trace.size();
        return codes;
    }

    // Set before Restart: the line the next session talks over, wrapped around the
    // controller's own.
    std::function<std::unique_ptr<SerialLine>(std::unique_ptr<SerialLine>)> wrapLine;
    ScopedStartDirectory dir;
    VirtualClock clock;
    sim::VirtualController vc;
    std::unique_ptr<RecordingOperator> op;
    std::unique_ptr<ManualTimers> timers;
    std::unique_ptr<Session> s;

private:
    size_t m_seen = 0;
};

inline StrikeLevelSet Forces(int f32, int f24, int f16, int f8) {
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(f32);
    set[3] = static_cast<quint8>(f24);
    set[2] = static_cast<quint8>(f16);
    set[1] = static_cast<quint8>(f8);
    return set;
}

} // namespace zeb::testing
