#pragma once
// Whole jobs as real processes: zeb-sim serving a pseudo-terminal (instant mechanics) and
// zeb-cli engrave / resume talking to it through the real serial-port code. Strikes() is every
// strike of every simulator run so far, in order; StartSim() after StopSim() starts a new
// simulator on the same port link (with --state: the machine after a power cut).

#include "job/job_plan_strikes.h"
#include "setup/file_helpers.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

namespace zeb::testing {

struct CliResult {
    int exitCode = -1; // -1: crashed or did not finish in time
    QString out;
    QString err;
};

class E2eDir {
public:
    ~E2eDir() {
        for (auto& p : m_processes) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    QString File(const QString& name) const { return m_dir.filePath(name); }
    QString Port() const { return File(QStringLiteral("port")); }

    // Starts a simulator that writes its strikes to a list of its own.
    bool StartSim(const QStringList& extra = {}) {
        StopSim();
        m_strikeFiles << QStringLiteral("strikes%1.csv").arg(m_strikeFiles.size());
        m_sim = Spawn(QStringLiteral(ZEB_SIM_EXE),
                      QStringList{"--time-scale", "0", "--link", Port(), "--strikes",
                                  File(m_strikeFiles.last()), "--trace", File(TraceFile())} +
                          extra);
        if (!m_sim->waitForStarted(10000))
            return false;
        while (!m_sim->canReadLine()) {
            if (!m_sim->waitForReadyRead(10000))
                return false;
        }
        return !m_sim->readLine().trimmed().isEmpty();
    }

    // The job's picture as "pic.bmp", then a simulator.
    bool StartSimWith(const QImage& picture, const QStringList& extra = {}) {
        return picture.save(File(QStringLiteral("pic.bmp")), "BMP") && StartSim(extra);
    }

    void StopSim() {
        if (!m_sim || m_sim->state() == QProcess::NotRunning)
            return;
        m_sim->terminate();
        m_sim->waitForFinished(10000);
    }

    QProcess* StartCli(const QStringList& args) { return Spawn(QStringLiteral(ZEB_CLI_EXE), args); }

    static CliResult Finish(QProcess* process, int timeoutMs = 60000) {
        CliResult result;
        if (process->waitForFinished(timeoutMs) && process->exitStatus() == QProcess::NormalExit)
            result.exitCode = process->exitCode();
        result.out = QString::fromLocal8Bit(process->readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process->readAllStandardError());
        return result;
    }

    CliResult Cli(const QStringList& args) { return Finish(StartCli(args)); }

    // The usual job on "pic.bmp", its plan made beforehand as "aim.txt" and its resume.
    QStringList EngraveArgs() const {
        return {"engrave", "pic.bmp", "--port", Port(), "--forces", "40,30,20,10"};
    }
    QStringList ResumeArgs() const { return {"resume", "--port", Port(), "--warm-up", "0"}; }
    CliResult Resume() { return Cli(ResumeArgs()); }
    bool PlanAim() {
        return Cli({"plan", "pic.bmp", "--mode", "diffusion", "-o", "aim.txt"}).exitCode == 0;
    }

    // Every strike of every simulator run, in the order struck.
    std::vector<StruckDot> Strikes() const {
        std::vector<StruckDot> dots;
        for (const QString& name : m_strikeFiles) {
            for (const QByteArray& line : Read(name).split('\n')) {
                const QList<QByteArray> f = line.trimmed().split(',');
                if (f.size() == 4)
                    dots.push_back({f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3].toInt()});
            }
        }
        return dots;
    }

    // The names of the last `n` command frames of the current simulator run.
    QStringList LastNames(qsizetype n) const {
        return Trace().mid(Trace().size() - n).replaceInStrings(QRegularExpression(" .*"), "");
    }

    // Command frames of the current simulator run: "name" and four code bytes in hex per
    // accepted frame.
    QStringList Trace() const {
        QStringList lines;
        for (const QByteArray& line : Read(TraceFile()).split('\n')) {
            const QString text = QString::fromLatin1(line.trimmed());
            if (!text.isEmpty() && !text.endsWith("repeated") && !text.endsWith("rejected"))
                lines << text.section(' ', 1, 5);
        }
        return lines;
    }

    QByteArray Read(const QString& name) const { return ReadBytes(File(name)); }
    void Write(const QString& name, const QByteArray& bytes) const {
        WriteBytes(File(name), bytes);
    }
    bool Exists(const QString& name) const { return QFile::exists(File(name)); }

private:
    QString TraceFile() const {
        return QStringLiteral("trace%1.txt").arg(m_strikeFiles.size() - 1);
    }

    QProcess* Spawn(const QString& program, const QStringList& args) {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess* p = m_processes.back().get();
        p->setWorkingDirectory(m_dir.path());
        p->start(program, args);
        return p;
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QProcess* m_sim = nullptr;
    QStringList m_strikeFiles;
};

// A command line zeb-cli must refuse with exit code 2 and an error that says `said`.
struct Refusal {
    QStringList args;
    const char* said;
};
inline void ExpectRefused(E2eDir& d, const std::vector<Refusal>& rows) {
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const CliResult run = d.Cli(row.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(row.said))) << run.err.toStdString();
    }
}

// "W x H dots placed at column X, row Y of the work field" from zeb-cli engrave.
inline std::pair<int, int> Placement(const QString& out) {
    const qsizetype at = out.indexOf(QStringLiteral("placed at column "));
    if (at < 0)
        return {0, 0};
    const QStringList words = out.mid(at).split(QLatin1Char(' '));
    return {words.value(3).remove(QLatin1Char(',')).toInt(), words.value(5).toInt()};
}

// What went wrong comparing the strikes with the plan: the first pass has forces 40, 30, 20,
// 10 by level, a second pass 16, 12, 8, 4 (all even: the controller reads them back).
inline QStringList StrikeProblems(const std::map<Dot, int>& planned, std::vector<StruckDot> all,
                                  bool doublePass = false) {
    const std::array<int, 5> first{0, 10, 20, 30, 40};
    const std::array<int, 5> second{0, 4, 8, 12, 16};
    auto ofFirst = [&first](const StruckDot& d) {
        return std::count(first.begin() + 1, first.end(), d.force) > 0;
    };
    const auto later =
        doublePass ? std::stable_partition(all.begin(), all.end(), ofFirst) : all.end();
    QStringList problems = CompareStrikes(planned, {all.begin(), later}, first);
    return doublePass ? problems + CompareStrikes(planned, {later, all.end()}, second) : problems;
}

// Small enough to be quick under faults, with several areas and lines both ways.
inline QImage Checks() {
    QImage image(26, 12, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 25; ++x)
            if ((x / 6 + y / 4) % 2 == 0)
                image.setPixel(x, y, qRgb(100 + 50 * ((x + 2 * y) % 4), 0, 0));
    return image;
}

// Blocks and a ring: long lines both ways, several areas, rows that end and start apart.
inline QImage Picture() {
    QImage image(40, 22, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 21; ++y) {
        for (int x = 1; x < 39; ++x) {
            const int d2 = (x - 28) * (x - 28) + (y - 11) * (y - 11);
            const bool block = x < 16 && (y < 9 || y > 12);
            const bool ring = d2 >= 16 && d2 <= 81;
            if (block || ring)
                image.setPixel(x, y, qRgb(90 + 55 * ((x * 3 + y) % 4), 0, 0));
        }
    }
    return image;
}

// What differs between the one-pass plan made beforehand ("aim.txt", whole even when a resume
// cut the job's own) placed at `placement` and every strike so far.
inline QStringList WorkpieceProblems(const E2eDir& d, std::pair<int, int> placement) {
    const auto planned = PlannedDots(d.Read("aim.txt"), placement.first, placement.second);
    return planned.empty() ? QStringList{"nothing planned"} : StrikeProblems(planned, d.Strikes());
}

} // namespace zeb::testing
