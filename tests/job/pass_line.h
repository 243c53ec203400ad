#pragma once
// A line that passes every byte on to the controller's own line; the job tests' taps and
// faults override WriteByte or ReadByte and call the base to pass the byte on.

#include "link/serial_line.h"

#include <memory>

namespace zeb::testing {

class PassLine : public SerialLine {
public:
    explicit PassLine(std::unique_ptr<SerialLine> inner) : m_inner(std::move(inner)) {}

    bool OpenPort() override {
        m_inner->SetPortDeviceName(PortDeviceName());
        return m_inner->OpenPort();
    }
    void ClosePort() override { m_inner->ClosePort(); }
    bool WriteByte(quint8 b) override {
        m_previous = b;
        return m_inner->WriteByte(b);
    }
    bool ReadByte(quint8& b) override { return m_inner->ReadByte(b); }
    void SetParityOdd() override { m_inner->SetParityOdd(); }
    void SetParityEven() override { m_inner->SetParityEven(); }

protected:
    // `b`, about to be written, is the code byte of a command `code` (escape, code).
    bool Begins(quint8 b, quint8 code) const { return m_previous == 0x1B && b == code; }

private:
    std::unique_ptr<SerialLine> m_inner;
    quint8 m_previous = 0;
};

} // namespace zeb::testing
