#pragma once
// The in-process front door of the virtual controller: a SerialLine for tests and the demo.
// Reads that find nothing move the virtual clock on by their 500 ms instead of sleeping.

#include "link/clock.h"
#include "link/serial_line.h"
#include "sim/virtual_controller.h"

namespace zeb::sim {

class SimLine : public SerialLine {
public:
    SimLine(VirtualController& controller, VirtualClock& clock);

    bool OpenPort() override; // fails for a name set with SetMissingPort
    void ClosePort() override;
    bool WriteByte(quint8 b) override;
    bool ReadByte(quint8& b) override;
    void SetParityOdd() override;
    void SetParityEven() override;

    // A port name that does not exist on this line (OpenPort fails, writes fail).
    void SetMissingPort(const QString& name);
    bool ParityOdd() const;

private:
    VirtualController& m_controller;
    VirtualClock& m_clock;
    QString m_missing;
    bool m_open = false;
    bool m_odd = false;
};

} // namespace zeb::sim
