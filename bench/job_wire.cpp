// A whole job against zeb-sim with the wire paced at 19200 baud (12 bits a byte) and instant
// mechanics: the job's wall time against the floor the wire sets for its bytes, and how much
// host CPU one plan line takes. The host should add almost nothing to the wire time.

#include "bench_support.h"

#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/progress_record.h"
#include "job/start_up.h"
#include "link/comm_port_driver.h"
#include "link/polled_timers.h"
#include "picture/open_command.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <sys/resource.h>

namespace {

using zeb::bench::QuietOperator;
using zeb::bench::SimProcess;
using zeb::bench::Stopwatch;

// The serial port, counting the bytes that cross the wire.
class CountingPort : public zeb::SerialLine {
public:
    bool OpenPort() override {
        m_port.SetPortDeviceName(PortDeviceName());
        return m_port.OpenPort();
    }
    void ClosePort() override { m_port.ClosePort(); }
    bool WriteByte(quint8 b) override {
        const bool ok = m_port.WriteByte(b);
        bytes += ok ? 1 : 0;
        return ok;
    }
    bool ReadByte(quint8& b) override {
        const bool ok = m_port.ReadByte(b);
        bytes += ok ? 1 : 0;
        return ok;
    }
    void SetParityOdd() override { m_port.SetParityOdd(); }
    void SetParityEven() override { m_port.SetParityEven(); }

    qint64 bytes = 0;

private:
    zeb::CommPortDriver1 m_port;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Bars of four greys with gaps: strike lines of every length in both directions.
QImage Bars() {
    QImage image(48, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 47; ++x)
            if ((x + y / 3) % 11 != 0)
                image.setPixel(x, y, qRgb(80 + 58 * ((x / 4 + y) % 4), 0, 0));
    return image;
}

// The bars job started as the window starts it: start-up, Open of `picture`, forces 40, 30,
// 20 and 10, "Работа". False (the operator told why) when it did not start.
bool StartBarsJob(zeb::Session& s, QuietOperator& op, const QString& picture,
                  const zeb::StartUpHooks& hooks) {
    zeb::StartUp(s, hooks);
    zeb::OpenCommandContext ctx = zeb::OpenContext(s);
    zeb::OpenCommandDialogs dialogs;
    dialogs.runOpenDialog = [&picture] { return std::optional<QString>(picture); };
    zeb::Tell(op, zeb::OpenPicture(ctx, dialogs));
    s.Levels.FirstPassLevels[4] = 40;
    s.Levels.FirstPassLevels[3] = 30;
    s.Levels.FirstPassLevels[2] = 20;
    s.Levels.FirstPassLevels[1] = 10;
    const zeb::Result<zeb::JobStart> start = zeb::StartJob(s);
    zeb::Tell(op, start);
    return start && start->begun;
}

void PacedJob(benchmark::State& state) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const SimProcess sim({QStringLiteral("--baud")});
    if (!sim.Ready()) {
        state.SkipWithError("zeb-sim did not serve a pseudo-terminal");
        QDir::setCurrent(previous);
        return;
    }
    const QString picture = dir.filePath("bars.bmp");
    Bars().save(picture, "BMP");

    for (auto _ : state) {
        QuietOperator op;
        zeb::PolledTimers timers;
        zeb::SystemClock clock;
        auto owned = std::make_unique<CountingPort>();
        CountingPort* port = owned.get();
        zeb::Session s(op, timers, clock, std::move(owned));
        zeb::StartUpHooks hooks;
        hooks.settingsLoaded = [&s, &sim](const QStringList&, const std::array<bool, 8>&) {
            s.Config.PortName = sim.Path();
        };
        if (!StartBarsJob(s, op, picture, hooks)) {
            state.SkipWithError(op.lastMessage.toStdString().c_str());
            break;
        }

        port->bytes = 0;
        int lines = 0;
        const Stopwatch wall;
        const double cpuStart = CpuSeconds();
        zeb::TickResult result = zeb::TickResult::LineDone;
        while (timers.Running(zeb::TimerId::Optimizing)) {
            result = zeb::RunNextPlanLine(s).result;
            ++lines;
        }
        const double seconds = wall.Seconds();
        const double cpu = CpuSeconds() - cpuStart;
        if (result != zeb::TickResult::Completed) {
            state.SkipWithError("the job did not complete");
            break;
        }
        state.SetIterationTime(seconds);
        zeb::bench::WireFloorCounters(state, port->bytes, seconds);
        state.counters["plan_lines"] = lines;
        state.counters["wire_bytes"] = static_cast<double>(port->bytes);
        state.counters["wall_s"] = seconds;
        state.counters["cpu_us_per_line"] = 1e6 * cpu / lines;
        state.counters["cpu_share_pct"] = 100.0 * cpu / seconds;
    }
    QDir::setCurrent(previous);
}
BENCHMARK(PacedJob)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// The job's host side alone: the same job against the in-process controller on a virtual
// clock (no terminal, no wire), CPU time per plan line.
void InProcessJobLines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString picture = dir.filePath("bars.bmp");
    Bars().save(picture, "BMP");
    qint64 lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QuietOperator op;
        zeb::PolledTimers timers;
        zeb::VirtualClock clock;
        zeb::sim::ControllerOptions options;
        options.keepTrace = false;
        zeb::sim::VirtualController controller(options);
        zeb::Session s(op, timers, clock, std::make_unique<zeb::sim::SimLine>(controller, clock));
        StartBarsJob(s, op, picture, {});
        state.ResumeTiming();
        while (timers.Running(zeb::TimerId::Optimizing)) {
            zeb::RunNextPlanLine(s);
            ++lines;
        }
    }
    QDir::setCurrent(previous);
    state.SetItemsProcessed(lines);
    state.SetLabel("items are plan lines");
}
BENCHMARK(InProcessJobLines)->Unit(benchmark::kMillisecond);

// One update of the progress record as the job loop makes it before every plan line that
// sends commands: one write in place, pushed to the disk. Wall time: the push waits for the
// disk, not for the processor. The start directory is on the disk the benchmark runs from.
void ProgressRecordUpdate(benchmark::State& state) {
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("progress-XXXXXX")));
    zeb::ProgressRecord record{1, 0, true, QByteArray(40, 'a'), QByteArray(40, 'b')};
    zeb::ProgressFile file;
    if (!zeb::WriteProgressRecord(dir.path(), record) || !file.Open(dir.path())) {
        state.SkipWithError("the progress record cannot be written here");
        return;
    }
    for (auto _ : state) {
        ++record.line;
        if (!file.Update(record)) {
            state.SkipWithError("an update failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items are plan lines");
}
BENCHMARK(ProgressRecordUpdate)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The same paced wire with greetings only: what the link and the simulator add to the wire
// time by themselves, the yardstick for the job's figure above.
void PacedGreetings(benchmark::State& state) {
    const SimProcess sim({QStringLiteral("--baud")});
    if (!sim.Ready()) {
        state.SkipWithError("zeb-sim did not serve a pseudo-terminal");
        return;
    }
    QuietOperator op;
    zeb::SystemClock clock;
    CountingPort port;
    port.SetPortDeviceName(sim.Path());
    port.OpenPort();
    zeb::LinkState link;
    zeb::MachineState machine;
    zeb::SelfTestState selfTest;
    zeb::Device device(port, op, clock, link, machine, selfTest);
    device.Hi();
    for (auto _ : state) {
        port.bytes = 0;
        const Stopwatch wall;
        for (int i = 0; i < 200 && link.DeviceReady; ++i)
            device.Hi();
        const double seconds = wall.Seconds();
        state.SetIterationTime(seconds);
        zeb::bench::WireFloorCounters(state, port.bytes, seconds);
    }
    if (!link.DeviceReady)
        state.SkipWithError("the link was lost");
}
BENCHMARK(PacedGreetings)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return zeb::bench::RunBenchmarks(argc, argv);
}
