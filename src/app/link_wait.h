#pragma once
// While a command waits for the machine (a strike line, a long move), the window keeps
// painting: the link's waits hand each slice here. Only painting and STOP (the Delete key) get
// through; a click, a key, a menu or the wheel would start work on a line that is in use, so
// they are dropped while the wait lasts. Timer ticks and closing defer by themselves.

#include <QObject>

class QEvent;

namespace zeb::app {

class LinkWaitPump final : public QObject {
public:
    explicit LinkWaitPump(QObject* parent = nullptr) : QObject(parent) {}

    // Handles what is pending now, through the filter below; returns at once.
    void Pump();

    // True for an event the operator makes that must wait until the command has ended.
    static bool HeldBack(const QEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zeb::app
