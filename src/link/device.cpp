#include "link/device.h"

#include "link/frames.h"

namespace zeb {

Device::Device(SerialLine& line, Operator& op, Clock& clock, LinkState& link, MachineState& machine,
               SelfTestState& selfTest, const TextCatalogue* texts)
    : m_line(line), m_op(op), m_clock(clock), m_link(link), m_machine(machine),
      m_selfTest(selfTest), m_texts(texts) {}

QString Device::Text(TextId id) const {
    return Texts().Text(id);
}

const TextCatalogue& Device::Texts() const {
    return m_texts ? *m_texts : TextCatalogue::BuiltInCatalogue();
}

void Device::LockUI() {
    m_op.LockUI();
}

void Device::UnlockUI() {
    m_op.UnlockUI();
}

void Device::OpenLine(const QString& portName) {
    m_line.SetPortDeviceName(portName);
    m_line.OpenPort();
    m_link.DeviceReady = true;
}

void Device::StartLogEntry() {
    m_link.CommandLogIndex = m_link.CommandLogIndex % 10 + 1;
    m_link.CommandLog[static_cast<size_t>(m_link.CommandLogIndex - 1)] =
        LogHex(m_link.SeqNo) + QStringLiteral("; ");
}

void Device::Log(const QString& part) {
    // Before the first entry there is nothing to append to; the ring starts with a command.
    if (m_link.CommandLogIndex < 1 || m_link.CommandLogIndex > 10)
        return;
    m_link.CommandLog[static_cast<size_t>(m_link.CommandLogIndex - 1)] +=
        part + QStringLiteral("; ");
}

void Device::LoseLink(const QString& message) {
    m_link.DeviceReady = false;
    m_link.LinkError = true;
    LockUI();
    m_op.ShowMessage(message);
}

void Device::SetCommand(const QByteArray& code, const QString& name, int limitMs) {
    m_link.CmdCode = code;
    if (!name.isEmpty())
        m_link.CmdName = name;
    m_link.LongTimeout = limitMs;
}

void Device::DumpCommandLog() {
    if (!m_selfTest.Enabled)
        return;
    if (m_sink) {
        m_sink->WriteLine(QStringLiteral("Ошибка ") + QString::number(m_link.ErrorCounter));
        // Oldest first: the entry after the current one, round the ring to the current one.
        for (int i = 0; i < 10; ++i)
            m_sink->WriteLine(
                m_link.CommandLog[static_cast<size_t>((m_link.CommandLogIndex + i) % 10)]);
    }
    ++m_link.ErrorCounter;
    m_op.ShowServiceValue(ServiceField::ErrorCounter, QString::number(m_link.ErrorCounter));
}

} // namespace zeb
