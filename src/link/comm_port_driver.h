#pragma once
// The serial port to the machine's controller: a real port or a pseudo-terminal, opened by
// name with 19200 baud, 8 data bits, even parity, 2 stop bits. Reads are one byte and give
// up after 500 ms; writes are one byte each. Only the main thread uses it.

#include "link/serial_line.h"

#include <QSerialPort>
#include <QString>

namespace zeb {

class CommPortDriver1 final : public SerialLine {
public:
    CommPortDriver1() = default;
    ~CommPortDriver1() override;

    bool OpenPort() override;
    void ClosePort() override;
    bool WriteByte(quint8 b) override;
    bool ReadByte(quint8& b) override;
    void SetParityOdd() override;
    void SetParityEven() override;

    // The system's name for a port name of the settings: "comN" is the N-th serial port
    // ("COMN" on Windows, "/dev/ttyS(N-1)" elsewhere); anything else is a device path as is.
    static QString SystemPortName(const QString& name);

    // How long one ReadByte waits for its byte.
    static constexpr int ReadLimitMs = 500;

private:
    void ApplyParity(QSerialPort::Parity parity);

    QSerialPort m_port;
};

} // namespace zeb
