#pragma once
// The machine's body: the head on its two axes, counted in motor steps as the host counts
// them (Left and StepUp make the numbers larger; two Y steps per field row), the needle, the
// virtual workpiece, and the position saved while a print job runs. The saved position
// lives in non-volatile memory: with a state file it survives a restart (a power cut).

#include "sim/virtual_controller.h"

#include <QString>

#include <functional>
#include <vector>

namespace zeb::sim {

// A head position in motor steps: rows in Y steps, columns in X steps (= field columns).
struct StepPosition {
    int rowSteps = 0;
    int column = 0;
    bool operator==(const StepPosition&) const = default;
};

class Mechanics {
public:
    // `stateFile` empty: the saved position lasts as long as this object.
    explicit Mechanics(QString stateFile);

    // Told of every strike as it lands and of state-file trouble; may be empty.
    void SetStrikeSink(std::function<void(const Strike&)> sink) { m_strikeSink = std::move(sink); }
    void SetProblemSink(std::function<void(const QString&)> sink);

    StepPosition Head() const { return m_head; }
    void StepRows(int steps);      // StepUp: positive, StepDown: negative
    void StepColumns(int columns); // Left: positive, Right: negative
    // The reset: ends a running print job (its saved position stays) and homes to 0,0.
    void Home();
    void StrikeHere(int profile, int force); // at the head, recorded in the workpiece
    void WarmUpStrike();                     // in place, counted apart from the workpiece

    void BeginPrint();
    void EndPrint();
    bool PrintJobOpen() const { return m_jobOpen; }
    StepPosition Saved() const { return m_saved; }
    // Puts the saved position into the state file when it changed since the last write;
    // the file is replaced atomically, so a cut in mid-write leaves the previous one.
    void PersistSaved();

    const std::vector<Strike>& Workpiece() const { return m_workpiece; }
    int WarmUpStrikes() const { return m_warmUps; }

private:
    void Track();
    void LoadSaved();
    void Problem(const QString& text);

    QString m_stateFile;
    StepPosition m_head;
    StepPosition m_saved;
    StepPosition m_written;
    bool m_jobOpen = false;
    bool m_writeFailing = false;
    std::vector<Strike> m_workpiece;
    int m_warmUps = 0;
    std::function<void(const Strike&)> m_strikeSink;
    std::function<void(const QString&)> m_problemSink;
    QString m_pendingProblem;
};

} // namespace zeb::sim
