#pragma once
// The device link: the command transport (framing, acknowledgement, error inquiry, greeting)
// and the controller's command vocabulary. Every operation blocks until its end-wait returns.
// Names follow the controller protocol; see the README for the wire format.

#include "link/clock.h"
#include "link/link_state.h"
#include "link/operator.h"
#include "link/outcome.h"
#include "link/serial_line.h"
#include "text/text_catalogue.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace zeb {

enum class LineDirection { Forward, Backward };

// Position bytes that Monitor and How bring back, already converted to field dots.
struct HeadPosition {
    int row = 0;    // (256 * byte1 + byte2) div 2
    int column = 0; // 256 * byte3 + byte4
};

// How one exchange of the transport ended. The kind is judged from the byte that came; the
// byte itself is kept, because the greeting takes from a rejection the number the controller
// expects and the command log writes what came.
enum class AnswerKind {
    Expected,  // the byte that was waited for
    Rejected,  // 0x9s: a frame refused or a command failed; s is the number expected next
    Busy,      // 0x2s: the controller is still at work on command s
    WrongByte, // any other byte
    Silent,    // no byte came, not even to the error inquiry
    LinkDown,  // nothing was waited for: the link was down, or went down here (and was told)
};

struct Answer {
    AnswerKind kind = AnswerKind::LinkDown;
    quint8 byte = 0; // the byte that came; 0 when none did

    bool Came() const { return kind != AnswerKind::Silent && kind != AnswerKind::LinkDown; }
    // This very byte came.
    bool Is(quint8 b) const { return Came() && byte == b; }
};

// The kind of `byte` when `expected` was waited for.
Answer ClassifyAnswer(quint8 byte, quint8 expected);

// The time units of the strike phases once a job start has written registers 0x55 and 0x54
// (SetRegister55, SetRegister54): TickA and TickB from then on.
inline constexpr int JobTickA = 64;
inline constexpr int JobTickB = 46;

// Receives the self-test records of DumpCommandLog, one line at a time.
class CommandLogSink {
public:
    virtual ~CommandLogSink() = default;
    virtual void WriteLine(const QString& line) = 0;
};

class Device {
public:
    // `texts` is the session's catalogue, which outlives the device; without one (the link's
    // own tests, the benchmarks) the device speaks the built-in wording.
    Device(SerialLine& line, Operator& op, Clock& clock, LinkState& link, MachineState& machine,
           SelfTestState& selfTest, const TextCatalogue* texts = nullptr);

    SerialLine& Line() { return m_line; }
    // A command is in flight (its wait lets the window paint): timer ticks and handlers that
    // would use the line defer until it has ended.
    bool LinkBusy() const { return m_line.Waiting(); }
    // The link's state is the link's to write: the transport, the greetings and the commands
    // below. Others read it.
    const LinkState& Link() const { return m_link; }
    LinkState& Link() { return m_link; }
    MachineState& Machine() { return m_machine; }
    Clock& Time() { return m_clock; }
    Operator& Op() { return m_op; }
    // An operator's text of the link, as the language file leaves it.
    QString Text(TextId id) const;
    // The catalogue those texts come from: the session's, or the built-in texts.
    const TextCatalogue& Texts() const;

    // Where DumpCommandLog writes while self-test is on; null for nowhere.
    void SetCommandLogSink(CommandLogSink* sink) { m_sink = sink; }

    // --- transport ---
    // The current command's frame until it is accepted; a new command opens a log entry. A
    // data frame is sent only while the link is up.
    Answer SendCommand();
    Answer SendData();
    // The end byte 0x5s, or 0x6s for a stored data frame; the sequence number steps on.
    Answer WaitEnd();
    Answer WaitChunk();
    // The end of a long command, within its limit (LongTimeout).
    Answer WaitLongEnd();
    void Hi();
    void DumpCommandLog();
    // The link is lost / back: forwards to the operator (kept here so every caller locks the
    // same way).
    void LockUI();
    void UnlockUI();
    // Opens the serial line on `portName`; the link counts as up until an exchange says
    // otherwise.
    void OpenLine(const QString& portName);

    // --- commands ---
    // Moves; n is a step count 1..65535. A count above 65535 (or below 0) is refused with the
    // operator's message and nothing is sent. A count of 0 sends nothing (a zero would go out
    // as 65536 steps).
    Outcome StepUp(int n);
    Outcome StepDown(int n);
    Outcome Left(int n);
    Outcome Right(int n);
    // Resets the controller; the limit grows with the work field (width x height dots).
    void ResetError(int fieldWidth, int fieldHeight);
    void Up();
    void Put(int v);
    void Off();
    // Off at the end of a job: the head is switched off and the link counts as down, so the
    // machine is sent nothing more until a greeting ("Тест", "Порт", the next start) finds it.
    void SwitchOff();
    void WarmUpStrike();
    void BeginPrint();
    void EndPrint();
    // Sends the four strike profiles of `levels`. Refused, nothing sent, when a phase duration
    // of some level would leave 0..255 (see CheckStrikeProfiles).
    Outcome SetStrike(const StrikeLevelSet& levels);
    // One line of dots: one character per dot, '0'..'4' (anything else counts as 0).
    void PrintLine(LineDirection direction, const QByteArray& digits);
    // Step counters of the controller; empty when the link is down.
    std::optional<HeadPosition> Monitor();
    // The position saved by the controller when a print job was interrupted.
    std::optional<HeadPosition> How();
    quint8 ReadParamByte(quint8 address);
    bool ProgX_Motor(quint8 reg, quint8 value);
    bool ProgY_Motor(quint8 reg, quint8 value);
    bool SetMotorSpeed(quint8 value);
    void SetMotorSpeedScale(int resolutionIndex);
    void SetRegister54();
    void SetRegister55();
    void MeasureLinkTime();

    // Largest step count of one move command.
    static constexpr int MaxSteps = 65535;
    // Rounds after which a frame rejected over and over, a greeting that never settles or a
    // raw read that never gets its byte counts as a lost link. Greeting rounds that the
    // controller answers "busy" are not counted: they are limited by LinkState::BusyWaitLimit.
    static constexpr int MaxRounds = 16;

private:
    // How one pass of the greeting ended.
    enum class GreetingRound {
        Settled, // acknowledged and ended: the link is up
        Again,   // answered, but not settled: greet again
        Busy,    // the controller is at work on a command (0x2s to the inquiry)
        Failed,  // lost; already told and locked
    };

    void StartLogEntry();
    void Log(const QString& part);
    // The link is lost: DeviceReady false, LinkError true, menus locked, the message shown.
    void LoseLink(const QString& message);
    void SetCommand(const QByteArray& code, const QString& name, int limitMs);
    Answer Exchange(bool newCommand);
    // One byte; anything but `expected` is followed by the error inquiry, whose answer counts.
    Answer ReadAnswer(quint8 expected);
    Answer ErrorInquiry(quint8 expected);
    Answer WaitFor(quint8 endKind, bool logWord);
    GreetingRound GreetOnce();
    void GreetingFailed(const QString& message);
    Outcome Move(quint8 command, const QString& name, int n, qint64 limitMs);
    void ShortCommand(const QByteArray& code, const QString& name, int limitMs);
    bool ProgMotor(quint8 command, quint8 reg, quint8 value);
    std::optional<HeadPosition> ReadPosition(int bytes, bool echoUntilDone);
    // One step of the motors in ms x 100: 3 * MotorSpeed * MotorSpeedScale.
    qint64 StepTimeTimes100() const;

    SerialLine& m_line;
    Operator& m_op;
    Clock& m_clock;
    LinkState& m_link;
    MachineState& m_machine;
    SelfTestState& m_selfTest;
    const TextCatalogue* m_texts;
    CommandLogSink* m_sink = nullptr;
};

// The limit of ResetError in ms for a work field of fieldWidth x fieldHeight dots: the home
// move from the far corner, with ten seconds to spare. The longest command the host sends.
qint64 ResetLimitMs(int fieldWidth, int fieldHeight);

// The 32 profile bytes SetStrike sends for `levels` at step time P = MotorSpeed x
// MotorSpeedScale; CheckStrikeProfiles refuses them with a message naming the first level
// whose phase would leave 0..255.
struct StrikeProfiles {
    QByteArray bytes;                // 32 bytes: level 1 first, (code, duration) x 4 per level
    std::array<int, 5> columnTime{}; // ColumnTime[0..4] for these profiles
};
Outcome CheckStrikeProfiles(const TextCatalogue& texts, const StrikeLevelSet& levels,
                            int motorSpeed, int motorSpeedScale);
StrikeProfiles BuildStrikeProfiles(const StrikeLevelSet& levels, int motorSpeed,
                                   int motorSpeedScale, int tickA, int tickB);

} // namespace zeb
