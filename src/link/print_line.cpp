// One strike line: the line command with its dot count, then the packed dots in data frames
// of eight dots each, then the end of the line.

#include "link/device.h"
#include "link/frames.h"
#include "text/text_catalogue.h"

namespace zeb {

void Device::PrintLine(LineDirection direction, const QByteArray& digits) {
    if (!m_link.DeviceReady) {
        m_op.SetCursor(CursorShape::Normal);
        return;
    }
    const qsizetype dots = digits.size();
    if (dots > 0xFFFF) {
        // The dot count goes in two bytes; a longer line would strike a wrapped count.
        m_op.ShowMessage(Text(TextKey::LinkLineTooLong).arg(dots));
        return;
    }
    const bool forward = direction == LineDirection::Forward;
    if (forward)
        m_op.SetCursor(CursorShape::Busy);
    const quint8 hi = static_cast<quint8>((dots / 256) % 256);
    const quint8 lo = static_cast<quint8>(dots % 256);
    // The controller wants a greeting before a backward line whose low count byte is 0.
    if (!forward && lo == 0)
        Hi();

    QByteArray code(4, '\0');
    code[0] = '\x1B';
    code[1] = forward ? '\x21' : '\x20';
    code[2] = static_cast<char>(hi);
    code[3] = static_cast<char>(lo);
    SetCommand(code, QStringLiteral("PrintLine"), 20000);
    SendCommand();
    WaitEnd();
    m_op.SetCursor(CursorShape::Busy);
    m_machine.CurrentCol += static_cast<qint32>(forward ? dots : -dots);

    const QByteArray packed = PackLine(digits);
    for (qsizetype offset = 0; offset < packed.size(); offset += 4) {
        m_link.CmdCode = packed.mid(offset, 4);
        SendData();
        WaitChunk();
        m_op.SetCursor(CursorShape::Busy);
    }
    m_op.SetCursor(CursorShape::Hourglass);
    WaitEnd();
    m_op.SetCursor(CursorShape::Normal);
}

} // namespace zeb
