// Commands per second through the whole link: framing, acknowledgement, confirmation and
// end-wait. In-process against the virtual controller (host overhead), and over a
// pseudo-terminal between the serial port and zeb-sim with an instant controller.

#include "bench_support.h"

#include "link/comm_port_driver.h"
#include "link/device.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

using zeb::bench::QuietOperator;
using zeb::bench::SimProcess;

struct Session {
    explicit Session(zeb::SerialLine& line, zeb::Clock& clock)
        : device(line, op, clock, link, machine, selfTest) {}
    QuietOperator op;
    zeb::LinkState link;
    zeb::MachineState machine;
    zeb::SelfTestState selfTest;
    zeb::Device device;
};

// The in-process virtual controller on a virtual clock, its line open.
struct InProcessLink {
    InProcessLink() : controller(Options()), line(controller, clock) {
        line.SetPortDeviceName(QStringLiteral("com1"));
        line.OpenPort();
    }
    static zeb::sim::ControllerOptions Options() {
        zeb::sim::ControllerOptions options;
        options.keepTrace = false;
        return options;
    }
    zeb::VirtualClock clock;
    zeb::sim::VirtualController controller;
    zeb::sim::SimLine line;
    Session session{line, clock};
};

void InProcessCommand(benchmark::State& state) {
    InProcessLink rig;
    Session& session = rig.session;
    for (auto _ : state)
        session.device.Up();
    if (!session.link.DeviceReady)
        state.SkipWithError("the link was lost");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(InProcessCommand);

void InProcessStrikeLine(benchmark::State& state) {
    InProcessLink rig;
    Session& session = rig.session;
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
    return zeb::bench::RunBenchmarks(argc, argv);
}
