#pragma once
// What the core asks of whoever faces the operator: the main window, the terminal front of
// zeb-cli, or the recorder of the tests. Core code reaches the screen only through here.

#include <QString>

namespace zeb {

enum class CursorShape { Normal, Busy, Hourglass };

// Service displays of the main window: fields the engineer reads, never edits.
enum class ServiceField {
    SavedRow,     // saved row from the controller (recovery)
    SavedColumn,  // saved column from the controller (recovery)
    SeqNoOrLimit, // sequence number / reset limit
    ResetField,   // field size at reset
    SeedRow,      // seed row of the planner
    SeedColumn,   // seed column of the planner
    CountPosX,    // column as counted by the program
    CountPosY,    // row as counted by the program
    RealPosX,     // column as reported by the controller
    RealPosY,     // row as reported by the controller
    ErrorCounter, // answer errors and position mismatches
};

class Operator {
public:
    virtual ~Operator() = default;

    // A modal message with an OK button; returns when the operator has closed it.
    virtual void ShowMessage(const QString& text) = 0;
    // A modal question with "Да" and "Нет"; true only when the operator chose "Да". Asked
    // before anything that cannot be undone; nobody to ask means no.
    virtual bool Confirm(const QString& text) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // The link is lost: the device-dependent menus go dark, "Порт" and "Тест" stay.
    virtual void LockUI() = 0;
    // The link is up: the first seven top-level menus and the picture come back.
    virtual void UnlockUI() = 0;
    // A job owns the machine: menus 0..6 and the picture are disabled, STOP is shown while
    // the job timer runs.
    virtual void LockForJob() = 0;
    // Replaces the second line of the status memo.
    virtual void ShowStatus(const QString& text) = 0;
    // The link waits for a machine that is still at work (told once per wait; an empty
    // status follows when the wait is over). The window shows it in the status line.
    virtual void ShowWaiting(const QString& text) { ShowStatus(text); }
    // The progress gauge; position 0..maximum.
    virtual void SetProgress(int position, int maximum) = 0;
    virtual void ShowServiceValue(ServiceField field, const QString& text) = 0;
    // Lets the window repaint during long work (the planner does this once per area).
    virtual void ProcessEvents() {}
};

} // namespace zeb
