#include "link/handshake.h"

#include <QStringDecoder>

namespace zeb {

qint64 BusyWaitLimitMs(int fieldWidth, int fieldHeight) {
    return ResetLimitMs(fieldWidth, fieldHeight) + BusyWaitMarginMs;
}

void StartUpLink(Device& device, WindowTimers& timers, int fieldWidth, int fieldHeight) {
    LinkState& link = device.Link();
    Operator& op = device.Op();
    link.BusyWaitLimit = BusyWaitLimitMs(fieldWidth, fieldHeight);
    device.Hi();
    if (link.DeviceReady)
        timers.Start(TimerId::Timer4, KeepAliveIntervalMs);
    // A driver command sends nothing and reports no failure while the link is down.
    const bool xOk = device.ProgX_Motor(0x60, 16);
    if (!xOk) {
        op.ShowMessage(device.Text(TextKey::LinkDriverXFailed));
        link.DeviceReady = false;
        device.LockUI();
    }
    if (!device.ProgY_Motor(0x60, 16)) {
        op.ShowMessage(device.Text(TextKey::LinkDriverYFailed));
        link.DeviceReady = false;
        device.LockUI();
    }
    device.MeasureLinkTime();
    device.ResetError(fieldWidth, fieldHeight);
}

PortChoice PortOfItem(int n) {
    PortChoice choice;
    choice.checkedPort = qBound(1, n, 8);
    choice.portName = QStringLiteral("com%1").arg(choice.checkedPort);
    return choice;
}

Outcome ChoosePort(Device& device, const QString& portName) {
    LinkState& link = device.Link();
    device.Line().ClosePort();
    device.OpenLine(portName);
    device.Hi();
    if (!link.DeviceReady) {
        device.LockUI();
        link.LinkError = true;
        return Outcome::Failed(device.Text(TextKey::LinkNotAnswering));
    }
    device.Op().ShowMessage(device.Text(9009));
    device.UnlockUI();
    link.LinkError = false;
    return Outcome::Done();
}

Outcome TestLink(Device& device, const LinkStatusTexts& texts) {
    LinkState& link = device.Link();
    SerialLine& line = device.Line();
    line.ClosePort();
    device.OpenLine(line.PortDeviceName());
    device.Hi();
    if (!link.DeviceReady) {
        device.LockUI();
        link.LinkError = true;
        return Outcome::Failed({});
    }
    device.Op().ShowMessage(texts.ready);
    device.UnlockUI();
    link.LinkError = false;
    ShowDeviceName(device, texts.found);
    return Outcome::Done();
}

QString DeviceNameText(const QByteArray& bytes) {
    QStringDecoder decoder("Windows-1251");
    QString text;
    for (char c : bytes) {
        const quint8 b = static_cast<quint8>(c);
        if (b < 0x20 || b == 0x7F || b == 0x98)
            text += QStringLiteral("\\x") +
                    QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            text += decoder.decode(QByteArray(1, c));
    }
    return text;
}

void ShowDeviceName(Device& device, const QString& foundText) {
    QByteArray name;
    for (int address = 80; address <= 112; ++address)
        name.append(static_cast<char>(device.ReadParamByte(static_cast<quint8>(address))));
    device.Op().ShowMessage(foundText + QLatin1Char(' ') + DeviceNameText(name));
}

void KeepAliveTick(Device& device, WindowTimers& timers) {
    LinkState& link = device.Link();
    ++link.KeepAliveCount;
    device.Hi();
    if (!link.DeviceReady)
        timers.Stop(TimerId::Timer4);
    if (link.KeepAliveCount >= KeepAliveGreetings) {
        link.KeepAliveCount = 0;
        timers.Stop(TimerId::Timer4);
    }
}

} // namespace zeb
