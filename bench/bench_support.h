#pragma once
// What the benchmark programs share (each bench/*.cpp is a program of its own and includes
// this): an operator that keeps quiet, zeb-sim serving a pseudo-terminal, a stopwatch, the
// floor a paced wire sets, and the run of the registered benchmarks.

#include "link/operator.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <chrono>

namespace zeb::bench {

// Says nothing; keeps the last message for a benchmark that has to give up.
class QuietOperator final : public Operator {
public:
    void ShowMessage(const QString& text) override { lastMessage = text; }
    bool Confirm(const QString& text) override {
        lastMessage = text;
        return false;
    }
    void Beep() override {}
    void SetCursor(CursorShape) override {}
    void LockUI() override {}
    void UnlockUI() override {}
    void LockForJob() override {}
    void ShowStatus(const QString&) override {}
    void SetProgress(int, int) override {}
    void ShowServiceValue(ServiceField, const QString&) override {}

    QString lastMessage;
};

// zeb-sim serving a pseudo-terminal with an instant controller, with `options` of its own
// besides; stopped when this goes.
class SimProcess {
public:
    explicit SimProcess(const QStringList& options = {}) {
        m_process.setProgram(QStringLiteral(ZEB_SIM_EXE));
        m_process.setArguments(QStringList{QStringLiteral("--time-scale"), QStringLiteral("0")} +
                               options);
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
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Ready() const { return !m_path.isEmpty(); }
    const QString& Path() const { return m_path; }

private:
    QProcess m_process;
    QString m_path;
};

// Wall time on the monotonic clock since it was made.
class Stopwatch {
public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The time `bytes` take on a wire paced at 19200 baud with 12 bits a byte, and how far
// `seconds` lies above it, as counters.
inline void WireFloorCounters(benchmark::State& state, qint64 bytes, double seconds) {
    const double floor = static_cast<double>(bytes) * 12.0 / 19200.0;
    state.counters["wire_floor_s"] = floor;
    state.counters["over_floor_pct"] = 100.0 * (seconds - floor) / floor;
}

// Runs the benchmarks registered in the program, with the command line's benchmark flags.
inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zeb::bench
