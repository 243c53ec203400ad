#include "setup/self_test.h"

#include "link/handshake.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QStringEncoder>

namespace zeb {

namespace {

constexpr int DeviceNameAddress = 80;
constexpr int DeviceNameLength = 33;

} // namespace

TestingLog::~TestingLog() {
    Close();
}

QString TestingLog::Start(const QString& path, const QStringList& header) {
    Close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return TextCatalogue::BuiltIn(TextKey::SelfTestLogNotCreated)
            .arg(QDir::toNativeSeparators(path), m_file.errorString());
    for (const QString& line : header)
        WriteLine(line);
    return QString();
}

void TestingLog::Close() {
    if (m_file.isOpen())
        m_file.close();
}

void TestingLog::WriteLine(const QString& line) {
    if (!m_file.isOpen())
        return;
    QStringEncoder encode("Windows-1251");
    QByteArray bytes = encode(line);
    bytes += "\r\n";
    m_file.write(bytes);
    m_file.flush();
}

QString TestingFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(TestingFileName);
}

QStringList TestingHeader(const QDateTime& now, const QString& portName,
                          const std::optional<QByteArray>& deviceName) {
    return {QStringLiteral("Self Testing %1, порт %2")
                .arg(now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")), portName),
            deviceName ? QStringLiteral("Устройство: ") + DeviceNameText(*deviceName)
                       : QStringLiteral("Устройство не отвечает")};
}

std::optional<QByteArray> ReadDeviceName(Device& device) {
    if (!device.Link().DeviceReady)
        return std::nullopt;
    QByteArray name;
    for (int i = 0; i < DeviceNameLength; ++i)
        name += static_cast<char>(device.ReadParamByte(static_cast<quint8>(DeviceNameAddress + i)));
    if (!device.Link().DeviceReady)
        return std::nullopt;
    return name;
}

QString SelfTestingClick(bool checked, Device& device, SelfTestState& selfTest, TestingLog& log,
                         const QString& startDirectory) {
    if (!checked) {
        selfTest.Enabled = false;
        return QString();
    }
    const std::optional<QByteArray> name = ReadDeviceName(device);
    const QStringList header =
        TestingHeader(device.Time().Now(), device.Line().PortDeviceName(), name);
    const QString error = log.Start(TestingFilePath(startDirectory), header);
    device.SetCommandLogSink(&log);
    selfTest.Enabled = true;
    return error;
}

bool StepControl(Device& device, const SelfTestState& selfTest) {
    if (!selfTest.Enabled)
        return false;
    const std::optional<HeadPosition> real = device.Monitor();
    const MachineState& machine = device.Machine();
    Operator& op = device.Op();
    op.ShowServiceValue(ServiceField::CountPosX, QString::number(machine.CurrentCol));
    op.ShowServiceValue(ServiceField::CountPosY, QString::number(machine.CurrentRow));
    if (!real || !selfTest.StepControl)
        return false;
    if (real->column == machine.CurrentCol && real->row == machine.CurrentRow)
        return false;
    op.Beep();
    LinkState& link = device.Link();
    ++link.ErrorCounter;
    op.ShowServiceValue(ServiceField::ErrorCounter, QString::number(link.ErrorCounter));
    return true;
}

} // namespace zeb
