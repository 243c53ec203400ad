#pragma once
// State of the device link and of the machine as the host counts it. Owned by whoever owns
// the session (the main window, zeb-cli, a test) and handed to the operations.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

namespace zeb {

// Four strike forces, indexed by the device's strike level 1..4: level 4 is brightness
// level "32", 3 is "24", 2 is "16", 1 is "8". Index 0 is unused.
struct StrikeLevelSet {
    std::array<quint8, 5> force{};

    quint8& operator[](int level) { return force[static_cast<size_t>(level)]; }
    quint8 operator[](int level) const { return force[static_cast<size_t>(level)]; }
    bool operator==(const StrikeLevelSet&) const = default;
};

// The framed, acknowledged command transport.
struct LinkState {
    quint8 SeqNo = 0;        // 0..15
    QByteArray CmdCode;      // the four bytes of the current command
    QString CmdName;         // shown in the log and in messages
    int LongTimeout = 0;     // ms, limit of the long wait of the current command
    qint64 CmdStartTime = 0; // monotonic ms, start of the current long wait
    // How long a greeting waits, in ms, while the controller answers that it is still at
    // work on an earlier command; set at start-up from the work field. 0: not at all.
    qint64 BusyWaitLimit = 0;
    bool DeviceReady = true; // the link is up; device commands do nothing while false
    bool LinkError = false;  // the last command failed

    // The last ten exchanges, overwritten in a ring; index 1..10, 0 before the first.
    std::array<QString, 10> CommandLog;
    int CommandLogIndex = 0;
    quint16 ErrorCounter = 0; // answer errors written to the self-test log

    quint8 KeepAliveCount = 0; // greetings made by the keep-alive timer

    // Replacement texts from the language file; used only when LanguageLoaded.
    bool LanguageLoaded = false;
    QString PortCheckMessage; // code 9001
    QString LinkErrorMessage; // code 9002

    quint8 NextSeqNo() const { return static_cast<quint8>((SeqNo + 1) % 16); }
};

// Self-test switches that the link and the job runner look at.
struct SelfTestState {
    bool Enabled = false;    // "Self Testing" is checked
    bool StepControl = true; // StepControlCheckBox, checked by default
};

// Machine timing values and the head position as the host counts them.
struct MachineState {
    quint8 MotorSpeed = 12;          // register 0x61 of both motor drivers
    quint8 MotorSpeedScale = 1;      // register 0x60 of both motor drivers
    int TickA = 32;                  // time unit of strike phases 7, 5 and 1
    int TickB = 23;                  // time unit of strike phase 8
    std::array<int, 5> ColumnTime{}; // time of one column per strike digit, 10 us units
    int LinkTime = 0;                // ms for 101 greetings
    qint32 CurrentCol = 0;           // head column in field dots
    qint32 CurrentRow = 0;           // head row in field dots
};

} // namespace zeb
