#pragma once
// One serial line to the machine's controller: opened by name, configured once, used for
// blocking single-byte reads and writes. Two kinds exist: CommPortDriver1 over a real port or
// a pseudo-terminal, and the in-process line of the virtual controller.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace zeb {

class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Opens PortDeviceName() with 19200 baud, 8 data bits, even parity, 2 stop bits.
    virtual bool OpenPort() = 0;
    // Closes the port; harmless when it is not open.
    virtual void ClosePort() = 0;
    // One write of one byte; true when exactly that byte went out.
    virtual bool WriteByte(quint8 b) = 0;
    // One byte within 500 ms; on failure `b` keeps its previous value.
    virtual bool ReadByte(quint8& b) = 0;
    // Parity of the open line: odd only for the error inquiry, even otherwise.
    virtual void SetParityOdd() = 0;
    virtual void SetParityEven() = 0;

    // One write per byte; a failed byte does not stop the rest. Empty is true.
    bool WriteString(const QByteArray& bytes) {
        qsizetype written = 0;
        for (char c : bytes)
            written += WriteByte(static_cast<quint8>(c)) ? 1 : 0;
        return written == bytes.size();
    }

    void SetPortDeviceName(const QString& name) { m_portDeviceName = name; }
    const QString& PortDeviceName() const { return m_portDeviceName; }
    // Result of the last write, read or configuration call.
    bool PortOk() const { return m_portOk; }

    // What to do while a read waits for its byte, between slices of at most WaitSliceMs (the
    // window keeps painting); a read's own limit stays as it is. Never called inside itself.
    void SetWhileWaiting(std::function<void()> hook) { m_whileWaiting = std::move(hook); }
    const std::function<void()>& WhileWaitingHook() const { return m_whileWaiting; }
    // True while that runs: a command is in flight, and nothing else may use the line.
    bool Waiting() const { return m_waiting; }

    static constexpr int WaitSliceMs = 50;

protected:
    void SetPortOk(bool ok) { m_portOk = ok; }
    void WhileWaiting() {
        if (!m_whileWaiting || m_waiting)
            return;
        m_waiting = true;
        m_whileWaiting();
        m_waiting = false;
    }

private:
    QString m_portDeviceName;
    bool m_portOk = false;
    std::function<void()> m_whileWaiting;
    bool m_waiting = false;
};

} // namespace zeb
