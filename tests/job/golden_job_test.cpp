// Golden copies of everything whole jobs and the service functions put out, byte for byte:
// the commands the controller accepted, the host's side of the wire, the plans, the dump, the
// recovery files at chosen moments, Zeb.ini, the calibration report, the self-test log, and
// what the operator was told. A rework of the core that changes none of the machine's bytes
// and none of the files keeps this test green without touching the copies.
//
// Renewing the copies is a decision, never the fix for a red test:
//   ZEB_UPDATE_GOLDEN=1 build/tests/test_job --gtest_filter='Golden*'
// writes tests/data/golden/ from the program as it is now (and prints each file it wrote).
// Then read `git diff tests/data/golden` line by line before committing it: every changed
// line there is a change the machine or the operator will see.
//
// What differs from run to run is normalised before comparing: the start directory (a fresh
// temporary one) becomes "<start>", and the digest in ErorProgress.txt that covers it is
// computed anew over the normalised recovery file, once the written one is checked. Times of
// day come from the virtual clock (05.01.2026 09:00 at the start), never from the computer.

#include "job/job_rig.h"
#include "job/job_start.h"
#include "job/pass_line.h"
#include "job/progress_record.h"
#include "job/recovery.h"
#include "job/recovery_file.h"
#include "job/start_up.h"
#include "setup/calibration.h"
#include "setup/self_test.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace zeb::testing {
namespace {

bool Renewing() {
    return qEnvironmentVariable("ZEB_UPDATE_GOLDEN") == QLatin1String("1");
}

// 40 x 10, two blocks of a ramp through every grey: two areas, every strike digit, rows of
// 24 dots on the left, so portrait mode sends a backward line there in three parts, and of 10
// on the right, sent whole.
QImage Ramp() {
    QImage image(40, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 39; ++x)
            if (x < 25 || x > 28)
                image.setPixel(x, y, qRgb(std::min(255, 30 + 6 * x + 3 * y), 0, 0));
    return image;
}

enum class Text { Windows1251, Utf8 };

// A line as a failure message shows it: decoded, its CR visible, cut short.
std::string Shown(const QByteArray& line, Text text) {
    QString shown =
        text == Text::Windows1251 ? QStringDecoder("Windows-1251")(line) : QString::fromUtf8(line);
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    if (shown.size() > 160)
        shown = shown.left(160) + QStringLiteral("...");
    return '"' + shown.toStdString() + '"';
}

// Where `now` first parts from `golden`: the line's number and both versions of it.
std::string FirstDifference(const QByteArray& golden, const QByteArray& now, Text text) {
    const QList<QByteArray> was = golden.split('\n');
    const QList<QByteArray> is = now.split('\n');
    qsizetype i = 0;
    while (i < was.size() && i < is.size() && was[i] == is[i])
        ++i;
    auto at = [i, text](const QList<QByteArray>& lines) {
        return i < lines.size() ? Shown(lines[i], text) : std::string("(the file has ended)");
    };
    return "first difference in line " + std::to_string(i + 1) + " (golden " +
           std::to_string(golden.size()) + " bytes, now " + std::to_string(now.size()) +
           ")\n  golden: " + at(was) + "\n  now:    " + at(is);
}

// One case's folder of golden copies: each capture is compared with its copy or, when
// renewing, becomes it. Finish fails the case for a copy that nothing captured (or, when
// renewing, removes it), so a capture cannot drop out unseen.
class GoldenFolder {
public:
    explicit GoldenFolder(const QString& name)
        : m_name(name), m_dir(QStringLiteral(ZEB_TEST_DATA "/golden/") + name) {}

    void Check(const QString& name, const QByteArray& bytes, Text text) {
        m_checked << name;
        const QString path = m_dir + QLatin1Char('/') + name;
        const std::string shown = ("tests/data/golden/" + m_name + '/' + name).toStdString();
        if (Renewing()) {
            QDir().mkpath(m_dir);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                ADD_FAILURE() << shown << ": cannot be written";
            std::printf("[ golden   ] renewed %s (%lld bytes)\n", shown.c_str(),
                        static_cast<long long>(bytes.size()));
            return;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << shown << ": no golden copy (renew on purpose with "
                          << "ZEB_UPDATE_GOLDEN=1, see the top of golden_job_test.cpp)";
            return;
        }
        const QByteArray golden = file.readAll();
        if (golden != bytes)
            ADD_FAILURE() << shown << " differs from the golden copy: "
                          << FirstDifference(golden, bytes, text);
    }

    void Finish() {
        for (const QString& name : QDir(m_dir).entryList(QDir::Files, QDir::Name)) {
            if (m_checked.contains(name))
                continue;
            if (Renewing())
                QFile::remove(m_dir + QLatin1Char('/') + name);
            else
                ADD_FAILURE() << "tests/data/golden/" << m_name.toStdString() << '/'
                              << name.toStdString() << ": nothing in the case produced it";
        }
    }

private:
    QString m_name;
    QString m_dir;
    QStringList m_checked;
};

// The host's side of the line in both directions, as text: a run of bytes one way on one line
// ("> 1B 10 00 13 33", "< A3 53"), a byte sent at odd parity marked "!". Only bytes that went
// out or came in are there: how often the host looked for an answer is not on the wire.
class WireTap final : public PassLine {
public:
    WireTap(std::unique_ptr<SerialLine> inner, QStringList& wire)
        : PassLine(std::move(inner)), m_wire(wire) {}

    bool WriteByte(quint8 b) override {
        const bool sent = PassLine::WriteByte(b);
        if (sent)
            Note(QLatin1Char('>'), m_odd ? QStringLiteral("!") : QString(), b);
        return sent;
    }
    bool ReadByte(quint8& b) override {
        if (!PassLine::ReadByte(b))
            return false;
        Note(QLatin1Char('<'), QString(), b);
        return true;
    }
    void SetParityOdd() override {
        m_odd = true;
        PassLine::SetParityOdd();
    }
    void SetParityEven() override {
        m_odd = false;
        PassLine::SetParityEven();
    }

private:
    void Note(QChar direction, const QString& mark, quint8 b) {
        if (m_wire.isEmpty() || !m_wire.last().startsWith(direction))
            m_wire << QString(direction);
        m_wire.last() += QLatin1Char(' ') + mark + QString::asprintf("%02X", b);
    }

    QStringList& m_wire;
    bool m_odd = false;
};

// One golden case: program sessions on the virtual controller with the wire tapped, and
// besides the files three logs compared at the end, each cut into the case's steps: the
// controller's trace, the wire and what the operator was told.
class GoldenRun {
    // Declared before the rig, whose first session already talks over the tap.
    GoldenFolder m_folder;
    QStringList m_wire;

public:
    explicit GoldenRun(const QString& name, sim::ControllerOptions options = {})
        : m_folder(name), rig(std::move(options), [this](std::unique_ptr<SerialLine> line) {
              return std::make_unique<WireTap>(std::move(line), m_wire);
          }) {}

    // Starts a step: its heading goes into every log.
    void Step(const QString& title) {
        TakeOperator();
        const QString heading = QStringLiteral("== ") + title;
        m_traceHeadings.push_back({rig.vc.Trace().size(), heading});
        m_wire << heading;
        m_operator << heading;
    }

    // The program killed and started again.
    void Restart() {
        Step(QStringLiteral("программа убита и запущена снова"));
        rig.Restart();
        m_events = m_statuses = 0;
        m_beeps = 0;
    }

    // The file `name` of the start directory as it is now, compared as "<moment>.<name>".
    void File(const char* name, const char* moment) {
        ASSERT_TRUE(rig.Exists(name)) << name << " is missing at " << moment;
        CheckFile(name, moment, Normalised(rig.Read(name)));
    }

    // What the job relies on at `moment`: the `files` and the progress record.
    void Saved(const char* moment, std::initializer_list<const char*> files) {
        for (const char* file : files)
            File(file, moment);
        Progress(moment);
    }

    // The program killed, started again and the job resumed after one round of warm-up.
    void KilledAndResumed(const char* moment) {
        Restart();
        Step(QStringLiteral("Завершить незавершенный проект"));
        ASSERT_TRUE(rig.Resume(1)) << rig.Told();
        Saved(moment, {"123123123.txt", "123Sec.txt", "ErorFile.txt"});
    }

    // The program closed: what it keeps of the session in Zeb.ini.
    void Close() {
        Step(QStringLiteral("закрытие программы"));
        EXPECT_EQ(ShutDown(*rig.s).Message(), QString());
        File("Zeb.ini", "close");
    }

    // ErorProgress.txt: both digests checked against the files they bind, the job's computed
    // anew over the normalised recovery file.
    void Progress(const char* moment) {
        const QByteArray bytes = rig.Read("ErorProgress.txt");
        QList<QByteArray> lines = bytes.split('\n');
        ASSERT_EQ(lines.size(), 6) << "ErorProgress.txt at " << moment << ": " << bytes.data();
        const char* plan = lines[0].trimmed() == "2" ? "123Sec.txt" : "123123123.txt";
        EXPECT_EQ(lines[3].trimmed(), PlanDigest(rig.Read(plan)))
            << "ErorProgress.txt at " << moment << " names another plan than " << plan;
        Result<RecoveryRecord> job = ReadRecoveryFile(TextCatalogue(), rig.dir.Path());
        ASSERT_TRUE(job) << job.Message().toStdString();
        EXPECT_EQ(lines[4].trimmed(), JobDigest(*job))
            << "ErorProgress.txt at " << moment << " names another job than ErorFile.txt";
        job->picturePath = NormalisedPath(job->picturePath);
        lines[4] = JobDigest(*job) + '\r';
        CheckFile("ErorProgress.txt", moment, lines.join('\n'));
    }

    // What the estimate told the operator at the job start.
    void Estimate(const Result<JobEstimate>& estimate) {
        ASSERT_TRUE(estimate) << estimate.Message().toStdString();
        TakeOperator();
        m_operator << QStringLiteral("estimate: ") + estimate->texts.duration
                   << QStringLiteral("completion: ") + estimate->texts.completion;
    }

    // The files left in the start directory, the trace, the wire and the operator's log.
    void Finish() {
        Step(QStringLiteral("конец"));
        const QStringList left = QDir(rig.dir.Path()).entryList(QDir::Files, QDir::Name);
        m_folder.Check(QStringLiteral("files-left.txt"), (left.join('\n') + '\n').toUtf8(),
                       Text::Utf8);
        const std::pair<ServiceField, const char*> fields[] = {
            {ServiceField::SavedRow, "Edit3"},           {ServiceField::SavedColumn, "Edit4"},
            {ServiceField::SeqNoOrLimit, "Edit5"},       {ServiceField::ResetField, "Edit6"},
            {ServiceField::SeedRow, "label66"},          {ServiceField::SeedColumn, "label67"},
            {ServiceField::CountPosX, "counted column"}, {ServiceField::CountPosY, "counted row"},
            {ServiceField::RealPosX, "reported column"}, {ServiceField::RealPosY, "reported row"},
            {ServiceField::ErrorCounter, "errors"}};
        for (const auto& [field, name] : fields)
            if (rig.op->service.contains(field))
                m_operator << QStringLiteral("shown in %1: %2")
                                  .arg(QLatin1String(name), rig.op->service.value(field));
        m_folder.Check(QStringLiteral("trace.txt"), TraceText(), Text::Utf8);
        m_folder.Check(QStringLiteral("wire.txt"), (m_wire.join('\n') + '\n').toUtf8(), Text::Utf8);
        m_folder.Check(QStringLiteral("operator.txt"),
                       Normalised((m_operator.join('\n') + '\n').toUtf8()), Text::Utf8);
        m_folder.Finish();
    }

    JobRig rig;

private:
    void CheckFile(const char* name, const char* moment, const QByteArray& bytes) {
        m_folder.Check(QString::fromLatin1(moment) + QLatin1Char('.') + QString::fromLatin1(name),
                       bytes, Text::Windows1251);
    }

    QString NormalisedPath(QString text) const {
        text.replace(rig.s->StartDirectory, QStringLiteral("<start>"));
        return text.replace(rig.dir.Path(), QStringLiteral("<start>"));
    }

    // The start directory's path, in the program's code page and in UTF-8, as "<start>".
    QByteArray Normalised(QByteArray bytes) const {
        for (const QString& path : {rig.s->StartDirectory, rig.dir.Path()}) {
            QStringEncoder encode("Windows-1251");
            bytes.replace(QByteArray(encode(path)), "<start>");
            bytes.replace(path.toUtf8(), "<start>");
        }
        return bytes;
    }

    // Every frame the controller saw: its sequence number (-1: broken check byte), name,
    // bytes, and the verdict when it was not carried out.
    QByteArray TraceText() const {
        QByteArray text;
        const std::vector<sim::TracedCommand>& trace = rig.vc.Trace();
        size_t heading = 0;
        for (size_t i = 0; i <= trace.size(); ++i) {
            for (; heading < m_traceHeadings.size() && m_traceHeadings[heading].first == i;
                 ++heading)
                text += m_traceHeadings[heading].second.toUtf8() + '\n';
            if (i == trace.size())
                break;
            const sim::TracedCommand& c = trace[i];
            const char* verdict = c.verdict == sim::FrameVerdict::Repeated   ? " repeated"
                                  : c.verdict == sim::FrameVerdict::Rejected ? " rejected"
                                                                             : "";
            text += QString::asprintf("%3d %-13s %s%s\n", c.seqNo, qPrintable(c.name),
                                      c.frame.toHex(' ').toUpper().constData(), verdict)
                        .toUtf8();
        }
        return text;
    }

    // What the operator saw since the last step: messages, questions, menu locks, status
    // lines and beeps (the recorder keeps status lines apart from the rest).
    void TakeOperator() {
        const RecordingOperator& op = *rig.op;
        // The menus' state is what the operator sees, not how often it was set.
        const QStringList menus{QStringLiteral("lock"), QStringLiteral("unlock"),
                                QStringLiteral("lock-job")};
        for (; m_events < op.events.size(); ++m_events) {
            const QString& event = op.events[m_events];
            if (!menus.contains(event) || m_operator.isEmpty() || m_operator.last() != event)
                m_operator << event;
        }
        for (; m_statuses < op.statuses.size(); ++m_statuses)
            m_operator << QStringLiteral("status: ") + op.statuses[m_statuses];
        if (op.beeps != m_beeps)
            m_operator << QStringLiteral("beeps: %1").arg(op.beeps - m_beeps);
        m_beeps = op.beeps;
    }

    std::vector<std::pair<size_t, QString>> m_traceHeadings;
    QStringList m_operator;
    qsizetype m_events = 0;
    qsizetype m_statuses = 0;
    int m_beeps = 0;
};

// "Гравировка": the panels opened, then set as an operator sets them, each pass's forces in
// individual mode.
void SetUpPanels(Session& s, bool oneSided, bool portrait, bool doublePass) {
    OpenEngravingProperties(s);
    StrikeLevels& levels = s.Levels;
    levels.ChooseForces(1, Forces(40, 30, 20, 10));
    levels.ChooseForces(2, Forces(16, 12, 8, 4));
    levels.SetHighQuality(oneSided);
    levels.PortraitMode = portrait;
    levels.DoublePassPending = doublePass;
    ASSERT_EQ(levels.FirstPassLevels, Forces(40, 30, 20, 10));
    ASSERT_EQ(levels.SecondPassLevels, Forces(16, 12, 8, 4));
}

// Ticks the job until the first pass hands over to the second.
void RunToSecondPass(JobRig& rig) {
    for (int tick = 0; tick < 10000; ++tick) {
        const TickResult result = RunNextPlanLine(*rig.s).result;
        if (result == TickResult::SecondPassStarted)
            return;
        ASSERT_EQ(result, TickResult::LineDone) << rig.Told();
    }
    FAIL() << "the second pass never began";
}

struct JobCase {
    const char* folder;
    bool combined;
    bool oneSided;
    bool portrait;
};

TEST(GoldenJob, DoublePassJobsFromOpenToClose) {
    const JobCase cases[] = {
        {"double-pass-combined-two-sided-portrait", true, false, true},
        {"double-pass-diffusion-one-sided-text", false, true, false},
    };
    for (const JobCase& c : cases) {
        SCOPED_TRACE(c.folder);
        GoldenRun run(QString::fromLatin1(c.folder));
        JobRig& rig = run.rig;
        run.Step(QStringLiteral("Открыть"));
        rig.OpenPicture(Ramp(), c.combined);
        run.Step(QStringLiteral("Гравировка"));
        SetUpPanels(*rig.s, c.oneSided, c.portrait, true);

        run.Step(QStringLiteral("Работа"));
        const Result<JobStart> start = rig.Start();
        ASSERT_TRUE(Begun(start)) << rig.Told();
        run.Estimate(start->estimate);
        run.Saved("start", {"123123123.txt", "123Sec.txt", "123Bm.txt", "ErorFile.txt", "Zeb.ini"});

        run.Step(QStringLiteral("первый проход"));
        RunToSecondPass(rig);
        run.Saved("second-pass", {"ErorFile.txt"});
        run.Step(QStringLiteral("второй проход"));
        ASSERT_EQ(rig.Run().back(), TickResult::Completed) << rig.Told();

        run.Close();
        run.Finish();
    }
}

TEST(GoldenJob, PauseWithNewForcesThenKilledAndResumedInBothPasses) {
    GoldenRun run(QStringLiteral("pause-continue-kill-resume"));
    JobRig& rig = run.rig;
    rig.OpenPicture(Ramp(), true);
    SetUpPanels(*rig.s, false, true, true);
    run.Step(QStringLiteral("Работа"));
    ASSERT_TRUE(Begun(rig.Start())) << rig.Told();
    run.Step(QStringLiteral("первый проход, 8 строк"));
    rig.Run(8);

    run.Step(QStringLiteral("STOP"));
    ASSERT_TRUE(PauseJob(*rig.s)) << rig.Told();
    run.Step(QStringLiteral("Продолжить работу с силами 60, 50, 24, 8"));
    rig.s->Levels.FirstPassLevels = Forces(60, 50, 24, 8); // each on its own slider
    ASSERT_TRUE(rig.Shown(ContinueJob(*rig.s))) << rig.Told();
    run.Saved("continued", {"ErorFile.txt"});
    run.Step(QStringLiteral("первый проход, ещё 7 строк"));
    rig.Run(7);
    ASSERT_FALSE(rig.s->Job.SecondPassRunning);

    ASSERT_NO_FATAL_FAILURE(run.KilledAndResumed("resumed-first-pass"));
    run.Step(QStringLiteral("до второго прохода"));
    RunToSecondPass(rig);
    run.Step(QStringLiteral("второй проход, 20 строк"));
    rig.Run(20);
    ASSERT_TRUE(rig.s->Job.SecondPassRunning);
    ASSERT_TRUE(rig.timers->Running(TimerId::Optimizing));

    ASSERT_NO_FATAL_FAILURE(run.KilledAndResumed("resumed-second-pass"));
    run.Step(QStringLiteral("второй проход до конца"));
    ASSERT_EQ(rig.Run().back(), TickResult::Completed) << rig.Told();

    run.Close();
    run.Finish();
}

TEST(GoldenService, CalibrationReport) {
    sim::ControllerOptions modelled;
    modelled.timeScale = 1.0; // the report's times are the controller's modelled durations
    GoldenRun run(QStringLiteral("calibration"), modelled);
    JobRig& rig = run.rig;
    run.Step(QStringLiteral("Калибровка устройства"));
    CalibrateTiming(rig.s->Dev, rig.s->Config, rig.s->Levels.FirstPassLevels,
                    rig.s->StartDirectory);
    run.File("timing.txt", "calibrated");
    run.Close();
    run.Finish();
}

TEST(GoldenService, SelfTestLogOfAJobWithAPositionMismatchAndAnAnswerError) {
    sim::ControllerOptions shifted;
    shifted.faults.mismatchAfterLine = 5;
    GoldenRun run(QStringLiteral("self-test"), shifted);
    JobRig& rig = run.rig;
    rig.OpenPicture(Ramp(), true);
    run.Step(QStringLiteral("Self Testing"));
    TestingLog log;
    ASSERT_EQ(SelfTestingClick(true, rig.s->Dev, rig.s->SelfTest, log, rig.s->StartDirectory),
              QString());
    run.File("testing.txt", "switched-on");
    SetUpPanels(*rig.s, false, true, false);
    run.Step(QStringLiteral("Работа"));
    ASSERT_TRUE(Begun(rig.Start())) << rig.Told();
    rig.Run(20);
    run.Step(QStringLiteral("неверный ответ контроллера, работа до конца"));
    rig.vc.AnswerNextFrameWrongly();
    ASSERT_EQ(rig.Run().back(), TickResult::Completed) << rig.Told();
    run.File("testing.txt", "end");
    run.Finish();
}

} // namespace
} // namespace zeb::testing
