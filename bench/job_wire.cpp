// A whole job against zeb-sim with the wire paced at 19200 baud (12 bits a byte) and instant
// mechanics: the job's wall time against the floor the wire sets for its bytes, and how much
// host CPU one plan line takes. The host should add almost nothing to the wire time.

#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/start_up.h"
#include "link/comm_port_driver.h"
#include "picture/open_command.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <sys/resource.h>

namespace {

class QuietOperator : public zeb::Operator {
public:
    void ShowMessage(const QString& text) override { lastMessage = text; }
    void Beep() override {}
    void SetCursor(zeb::CursorShape) override {}
    void LockUI() override {}
    void UnlockUI() override {}
    void LockForJob() override {}
    void ShowStatus(const QString&) override {}
    void SetProgress(int, int) override {}
    void ShowServiceValue(zeb::ServiceField, const QString&) override {}
    QString lastMessage;
};

class FlagTimers : public zeb::WindowTimers {
public:
    void Start(zeb::TimerId id, int) override { m_running[Index(id)] = true; }
    void Stop(zeb::TimerId id) override { m_running[Index(id)] = false; }
    bool Running(zeb::TimerId id) const override { return m_running[Index(id)]; }

private:
    static size_t Index(zeb::TimerId id) { return static_cast<size_t>(id); }
    std::array<bool, 5> m_running{};
};

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

void PacedJob(benchmark::State& state) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE),
              {"--time-scale", "0", "--baud", "--link", dir.filePath("port")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        state.SkipWithError("zeb-sim did not serve a pseudo-terminal");
        return;
    }
    const QString picture = dir.filePath("bars.bmp");
    Bars().save(picture, "BMP");

    for (auto _ : state) {
        QuietOperator op;
        FlagTimers timers;
        zeb::SystemClock clock;
        auto owned = std::make_unique<CountingPort>();
        CountingPort* port = owned.get();
        zeb::Session s(op, timers, clock, std::move(owned));
        zeb::StartUpHooks hooks;
        hooks.settingsLoaded = [&s, &dir](const QStringList&, const std::array<bool, 8>&) {
            s.Config.PortName = dir.filePath("port");
        };
        zeb::StartUp(s, hooks);
        zeb::OpenCommandContext ctx{op,         s.Tables,  s.Picture,
                                    s.Matrices, s.Place,   s.Config.ResolutionIndex,
                                    s.View,     s.Machine, &s.Dev};
        zeb::OpenCommandDialogs dialogs;
        dialogs.runOpenDialog = [&picture] { return std::optional<QString>(picture); };
        zeb::OpenClick(ctx, dialogs);
        s.Levels.FirstPassLevels[4] = 40;
        s.Levels.FirstPassLevels[3] = 30;
        s.Levels.FirstPassLevels[2] = 20;
        s.Levels.FirstPassLevels[1] = 10;
        if (!zeb::Button17Click(s).started) {
            state.SkipWithError(op.lastMessage.toStdString().c_str());
            break;
        }

        port->bytes = 0;
        int lines = 0;
        QElapsedTimer wall;
        wall.start();
        const double cpuStart = CpuSeconds();
        zeb::TickResult result = zeb::TickResult::LineDone;
        while (timers.Running(zeb::TimerId::Optimizing)) {
            result = zeb::OptimizingTimer(s).result;
            ++lines;
        }
        const double seconds = wall.nsecsElapsed() / 1e9;
        const double cpu = CpuSeconds() - cpuStart;
        if (result != zeb::TickResult::Completed) {
            state.SkipWithError("the job did not complete");
            break;
        }
        state.SetIterationTime(seconds);
        const double floor = port->bytes * 12.0 / 19200.0;
        state.counters["plan_lines"] = lines;
        state.counters["wire_bytes"] = static_cast<double>(port->bytes);
        state.counters["wire_floor_s"] = floor;
        state.counters["wall_s"] = seconds;
        state.counters["over_floor_pct"] = 100.0 * (seconds - floor) / floor;
        state.counters["cpu_us_per_line"] = 1e6 * cpu / lines;
        state.counters["cpu_share_pct"] = 100.0 * cpu / seconds;
    }
    sim.terminate();
    sim.waitForFinished(5000);
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
        FlagTimers timers;
        zeb::VirtualClock clock;
        zeb::sim::ControllerOptions options;
        options.keepTrace = false;
        zeb::sim::VirtualController controller(options);
        zeb::Session s(op, timers, clock, std::make_unique<zeb::sim::SimLine>(controller, clock));
        zeb::StartUp(s, {});
        zeb::OpenCommandContext ctx{op,         s.Tables,  s.Picture,
                                    s.Matrices, s.Place,   s.Config.ResolutionIndex,
                                    s.View,     s.Machine, &s.Dev};
        zeb::OpenCommandDialogs dialogs;
        dialogs.runOpenDialog = [&picture] { return std::optional<QString>(picture); };
        zeb::OpenClick(ctx, dialogs);
        s.Levels.FirstPassLevels[4] = 40;
        s.Levels.FirstPassLevels[3] = 30;
        s.Levels.FirstPassLevels[2] = 20;
        s.Levels.FirstPassLevels[1] = 10;
        zeb::Button17Click(s);
        state.ResumeTiming();
        while (timers.Running(zeb::TimerId::Optimizing)) {
            zeb::OptimizingTimer(s);
            ++lines;
        }
    }
    QDir::setCurrent(previous);
    state.SetItemsProcessed(lines);
    state.SetLabel("items are plan lines");
}
BENCHMARK(InProcessJobLines)->Unit(benchmark::kMillisecond);

// The same paced wire with greetings only: what the link and the simulator add to the wire
// time by themselves, the yardstick for the job's figure above.
void PacedGreetings(benchmark::State& state) {
    QTemporaryDir dir;
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE),
              {"--time-scale", "0", "--baud", "--link", dir.filePath("port")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        state.SkipWithError("zeb-sim did not serve a pseudo-terminal");
        return;
    }
    QuietOperator op;
    zeb::SystemClock clock;
    CountingPort port;
    port.SetPortDeviceName(dir.filePath("port"));
    port.OpenPort();
    zeb::LinkState link;
    zeb::MachineState machine;
    zeb::SelfTestState selfTest;
    zeb::Device device(port, op, clock, link, machine, selfTest);
    device.Hi();
    for (auto _ : state) {
        port.bytes = 0;
        QElapsedTimer wall;
        wall.start();
        for (int i = 0; i < 200 && link.DeviceReady; ++i)
            device.Hi();
        const double seconds = wall.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        const double floor = port.bytes * 12.0 / 19200.0;
        state.counters["wire_floor_s"] = floor;
        state.counters["over_floor_pct"] = 100.0 * (seconds - floor) / floor;
    }
    if (!link.DeviceReady)
        state.SkipWithError("the link was lost");
    sim.terminate();
    sim.waitForFinished(5000);
}
BENCHMARK(PacedGreetings)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
