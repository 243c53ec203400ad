// Commands per second through the whole link: framing, acknowledgement, confirmation and
// end-wait. In-process against the virtual controller (host overhead), and over a
// pseudo-terminal between the serial port and zeb-sim with an instant controller.

#include "link/comm_port_driver.h"
#include "link/device.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

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

struct Session {
    explicit Session(zeb::SerialLine& line, zeb::Clock& clock)
        : device(line, op, clock, link, machine, selfTest) {}
    QuietOperator op;
    zeb::LinkState link;
    zeb::MachineState machine;
    zeb::SelfTestState selfTest;
    zeb::Device device;
};

void InProcessCommand(benchmark::State& state) {
    zeb::VirtualClock clock;
    zeb::sim::ControllerOptions options;
    options.keepTrace = false;
    zeb::sim::VirtualController controller(options);
    zeb::sim::SimLine line(controller, clock);
    line.SetPortDeviceName(QStringLiteral("com1"));
    line.OpenPort();
    Session session(line, clock);
    for (auto _ : state)
        session.device.Up();
    if (!session.link.DeviceReady)
        state.SkipWithError("the link was lost");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(InProcessCommand);

void InProcessStrikeLine(benchmark::State& state) {
    zeb::VirtualClock clock;
    zeb::sim::ControllerOptions options;
    options.keepTrace = false;
    zeb::sim::VirtualController controller(options);
    zeb::sim::SimLine line(controller, clock);
    line.SetPortDeviceName(QStringLiteral("com1"));
    line.OpenPort();
    Session session(line, clock);
    const QByteArray dots = QByteArray("1234").repeated(state.range(0) / 4);
    bool forward = true;
    for (auto _ : state) {
        session.device.PrintLine(
            forward ? zeb::LineDirection::Forward : zeb::LineDirection::Backward, dots);
        forward = !forward;
    }
    if (!session.link.DeviceReady)
        state.SkipWithError("the link was lost");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("items are dots");
}
BENCHMARK(InProcessStrikeLine)->Arg(1000);

// zeb-sim serving a pseudo-terminal with an instant controller.
class SimProcess {
public:
    SimProcess() {
        m_process.setProgram(QStringLiteral(ZEB_SIM_EXE));
        m_process.setArguments({QStringLiteral("--time-scale"), QStringLiteral("0")});
        m_process.start();
        // It prints the terminal's path once it serves.
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimProcess() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    bool Ready() const { return !m_path.isEmpty(); }
    const QString& Path() const { return m_path; }

private:
    QProcess m_process;
    QString m_path;
};

void PtyCommand(benchmark::State& state) {
    SimProcess sim;
    if (!sim.Ready()) {
        state.SkipWithError("zeb-sim did not serve a pseudo-terminal");
        return;
    }
    zeb::SystemClock clock;
    zeb::CommPortDriver1 port;
    port.SetPortDeviceName(sim.Path());
    if (!port.OpenPort()) {
        state.SkipWithError("the pseudo-terminal did not open");
        return;
    }
    Session session(port, clock);
    session.device.Hi();
    for (auto _ : state) {
        session.device.Up();
        if (!session.link.DeviceReady) {
            state.SkipWithError(session.op.lastMessage.toStdString().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PtyCommand)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
