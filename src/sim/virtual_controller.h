#pragma once
// The virtual controller: the machine's side of the serial protocol, with the head mechanics,
// the virtual workpiece, modelled durations and faults on demand.
//
// How to drive it:
//   - feed it every host byte with Receive(byte, oddParity, now);
//   - take what it answers with TakeByte(now); NextByteTime() says when the next byte is due;
//   - ask for a fault with one call (RejectNextFrames(3), SetSilent(true), ...), or hand it a
//     seeded FaultPlan in the options;
//   - read what it did: Workpiece(), Trace(), HeadColumn()/HeadRow().
// Time is whatever the caller says it is: the in-process line passes a virtual clock, the pty
// server the monotonic clock.

#include "sim/fault_plan.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace zeb::sim {

// One strike of a strike line: field row and column, profile 1..4 and that profile's force.
// The force is read back from the profile's phases (0 before any SetStrike); where the
// phases cannot tell an odd force from the even one below it, it is the even one.
struct Strike {
    int row = 0;
    int column = 0;
    int profile = 0;
    int force = 0;
    bool operator==(const Strike&) const = default;
};

enum class FrameVerdict {
    Accepted, // a new frame, carried out
    Repeated, // the frame accepted last, sent again: acknowledged again, not carried out again
    Rejected, // answered 0x90|expected
};

// One command frame the controller accepted or rejected, as the trace lists it.
struct TracedCommand {
    int seqNo = 0;    // the sequence number the frame carried (-1: its check byte is broken)
    QString name;     // "StepUp", "PrintLine", "data", ... ("?" for an unknown code)
    QByteArray frame; // the five bytes
    FrameVerdict verdict = FrameVerdict::Accepted;
    bool operator==(const TracedCommand&) const = default;
};

// Told of what the controller does as it happens (zeb-sim writes its files from here).
class ControllerObserver {
public:
    virtual ~ControllerObserver() = default;
    virtual void CommandReceived(const TracedCommand&) {}
    virtual void Struck(const Strike&) {}
    // Trouble with the state file; the controller goes on without it.
    virtual void Problem(const QString&) {}
};

struct ControllerOptions {
    double timeScale = 0.0; // 0: every operation is instant; 1: modelled durations
    bool paceWire = false;  // bytes take 12 bits at 19200 baud each, both ways
    QString stateFile;      // where the saved position survives a restart; empty: nowhere
    FaultPlan faults;       // seeded random faults
    // Parameter memory at addresses 80..112, shown by the host's link test; 33 bytes.
    QByteArray deviceName = QByteArray("ZEB virtual controller           ");
    bool keepTrace = true; // false: Trace() stays empty (long runs report to an observer)
};

class ControllerModel; // the state machine behind the interface

class VirtualController {
public:
    explicit VirtualController(ControllerOptions options = {});
    ~VirtualController();

    // --- the wire ---
    void Receive(quint8 byte, bool oddParity, qint64 nowMs);
    std::optional<quint8> TakeByte(qint64 nowMs);
    std::optional<qint64> NextByteTime() const;
    // The same in microseconds, for the pty server: a paced byte lasts 625 us, and rounding
    // every answer to the next millisecond would slow the wire down.
    void ReceiveUs(quint8 byte, bool oddParity, qint64 nowUs);
    std::optional<quint8> TakeByteUs(qint64 nowUs);
    std::optional<qint64> NextByteTimeUs() const;

    // --- faults on demand, one call each ---
    void RejectNextFrames(int count);                  // answer 0x90|expected to the next frames
    void AnswerNextFrameWrongly();                     // a wrong byte instead of the next ack
    void SetSilent(bool silent);                       // no answer at all, not even to inquiries
    void SetMotorDriverSilent(char axis, bool silent); // 'X' or 'Y': driver commands unanswered
    void SetGarbageInquiryAnswers(bool garbage);       // inquiries answered with junk
    void StopMidLine(int afterDataFrames);             // go silent inside the next strike line
    void ShiftCountersAfterNextLine(int columns);      // Monitor disagrees with the host
    void SetExpectedSeqNo(int seqNo);                  // as if the host had lost step

    // The observer is not owned; null for none.
    void SetObserver(ControllerObserver* observer);

    // --- what happened ---
    const std::vector<Strike>& Workpiece() const;
    int WarmUpStrikes() const;
    const std::vector<TracedCommand>& Trace() const;
    int HeadColumn() const; // field columns; Left counts up
    int HeadRow() const;    // motor steps / 2; StepUp counts up
    int ExpectedSeqNo() const;
    bool PrintJobOpen() const;         // between BeginPrint and EndPrint
    int SavedColumn() const;           // the position How reports, field columns
    int ProfileForce(int level) const; // force read from the stored profile of level 1..4

private:
    std::unique_ptr<ControllerModel> m_model;
};

} // namespace zeb::sim
