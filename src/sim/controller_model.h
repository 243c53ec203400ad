#pragma once
// The state machine behind VirtualController: frames and their sequence numbers, the
// acknowledgements and end bytes, the error inquiry, the extra traffic of some commands, and
// the commands themselves carried out on the mechanics. Times are microseconds on the
// caller's scale; every answer is queued with the time it is due.

#include "sim/answer_queue.h"
#include "sim/command_codes.h"
#include "sim/fault_dice.h"
#include "sim/mechanics.h"
#include "sim/strike_profile.h"
#include "sim/virtual_controller.h"

#include <QByteArray>

#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace zeb::sim {

class ControllerModel {
public:
    explicit ControllerModel(ControllerOptions options);
    ControllerModel(const ControllerModel&) = delete;
    ControllerModel& operator=(const ControllerModel&) = delete;

    void Receive(quint8 byte, bool oddParity, qint64 nowUs);
    std::optional<quint8> TakeByte(qint64 nowUs);
    std::optional<qint64> NextByteTimeUs() const;

    void RejectNextFrames(int count) { m_rejectLeft = qMax(0, count); }
    void AnswerNextFrameWrongly() { m_answerWrongly = true; }
    void SetSilent(bool silent) { m_silent = silent; }
    void SetMotorDriverSilent(char axis, bool silent);
    void SetGarbageInquiryAnswers(bool garbage) { m_garbageInquiry = garbage; }
    void StopMidLine(int afterDataFrames) { m_stopAfterData = qMax(0, afterDataFrames); }
    void ShiftCountersAfterNextLine(int columns) { m_shiftAfterLine += columns; }
    // The controller now expects `seqNo` and has forgotten the frame before.
    void SetExpectedSeqNo(int seqNo) {
        m_expected = seqNo & 0x0F;
        m_lastSeq = -1;
    }
    void SetObserver(ControllerObserver* observer);

    const Mechanics& Machine() const { return m_mechanics; }
    const std::vector<TracedCommand>& Trace() const { return m_trace; }
    int ExpectedSeqNo() const { return m_expected; }
    const StrikeProfileSet& Profiles() const { return m_profiles; }

private:
    enum class Awaiting { Command, Profiles, LineData };

    // Raw answer bytes of Monitor and How: each waits for the host's reply byte (or 300 ms),
    // then the closing end byte.
    struct RawPhase {
        bool active = false;
        QByteArray bytes;
        int next = 0;
        bool awaitingEcho = false;
        qint64 nextReadyUs = 0;
        int endSeq = 0;
    };

    struct HeldFrame {
        QByteArray frame;
        int seq = 0;
    };

    static constexpr qint64 Never = std::numeric_limits<qint64>::max();
    static constexpr int SpeedRegister = 0x61; // of a motor driver
    static constexpr int ScaleRegister = 0x60; // of a motor driver
    static constexpr int TickARegister = 0x55;
    static constexpr int TickBRegister = 0x54;

    static int Next(int seq) { return (seq + 1) & 0x0F; }

    void Pump(qint64 nowUs);
    void FrameByte(quint8 byte, qint64 t);
    void Inquiry(qint64 t);
    void Frame(const QByteArray& frame, qint64 t);
    void Accept(const QByteArray& frame, int seq, qint64 t);
    void Reject(const QByteArray& frame, int carried, qint64 t);
    void Repeat(const QByteArray& frame, int seq, qint64 t);
    void CarryOut(const QByteArray& frame, int seq, qint64 t);
    void Command(const QByteArray& frame, int seq, qint64 t);
    void Motion(const QByteArray& frame, int seq, qint64 t);
    void Driver(const QByteArray& frame, int seq, qint64 t);
    void StartLine(const QByteArray& frame, int seq, qint64 t);
    void LineData(const QByteArray& frame, int seq, qint64 t);
    void ProfileData(const QByteArray& frame, int seq, qint64 t);
    void StrikeTheLine(int endSeq, qint64 t);
    void StartRawPhase(QByteArray bytes, int endSeq, qint64 t);

    // Work of `durationUs` (already scaled) starts when the controller is free; `byte` is
    // sent when it is done, and inquiries see `busySeq` at work until then. Returns that time.
    qint64 EndAt(quint8 byte, int busySeq, qint64 t, qint64 durationUs);
    // The same for the frame just accepted: its answer kind|seq, and seq + 1 expected next.
    void Answer(int seq, qint64 t, qint64 durationUs, quint8 kind = KindFinished);
    std::optional<quint64> Send(quint8 byte, qint64 readyUs);
    quint8 Junk();
    void Record(const QByteArray& frame, int seq, FrameVerdict verdict);
    QString NameOf(const QByteArray& frame) const;
    qint64 Scaled(qint64 us) const;
    int StepTimeP(int driver) const;

    ControllerOptions m_options;
    FaultDice m_dice;
    AnswerQueue m_out;
    Mechanics m_mechanics;
    StrikeProfileSet m_profiles;
    ControllerObserver* m_observer = nullptr;
    std::vector<TracedCommand> m_trace;

    // Registers: the two motor drivers (0 = X, 1 = Y), the controller's own, parameter memory.
    std::array<std::array<quint8, 256>, 2> m_driver{};
    std::array<quint8, 256> m_register{};
    std::array<quint8, 256> m_param{};
    std::array<bool, 2> m_driverSilent{};

    // The wire and the frame being assembled.
    qint64 m_lastUs = 0;
    qint64 m_rxFreeUs = 0;
    QByteArray m_partial;
    qint64 m_partialStartUs = 0;
    bool m_awaitConfirm = false;
    bool m_awaitReply = false;
    std::optional<quint64> m_rejection; // rest of a rejected burst is dropped until it leaves

    // Sequence numbers and the work in progress.
    int m_expected = 0;
    QByteArray m_lastFrame;
    int m_lastSeq = -1;
    std::optional<quint8> m_lastAnswer; // end or stored byte of the last frame
    qint64 m_lastAnswerUs = 0;
    int m_busySeq = 0;
    qint64 m_busyUntilUs = 0;
    qint64 m_workFreeUs = 0;

    // Extra traffic of the command in progress.
    Awaiting m_awaiting = Awaiting::Command;
    int m_dataLeft = 0;
    int m_dataSeen = 0;
    QByteArray m_data;
    bool m_lineForward = true;
    int m_lineDots = 0;
    int m_linesStarted = 0;
    RawPhase m_phase;
    std::optional<HeldFrame> m_held;

    // Faults.
    bool m_silent = false;
    bool m_garbageInquiry = false;
    int m_rejectLeft = 0;
    bool m_answerWrongly = false;
    int m_stopAfterData = -1; // asked for the next strike line
    int m_stopThisLine = -1;  // data frames of the current line before falling silent
    int m_shiftAfterLine = 0;
    int m_counterShift = 0;
    int m_acceptedFrames = 0;
};

} // namespace zeb::sim
