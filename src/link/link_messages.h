#pragma once
// The operator's texts of the device link. Two of them can be replaced by the language file
// (codes 9001 and 9002, kept in LinkState); the rest are fixed.

#include <QString>

namespace zeb::messages {

inline QString PortCheck() {
    return QStringLiteral("Проверьте исправность порта связи");
}
inline QString LinkFailed() {
    return QStringLiteral("Ошибка связи.");
}
inline QString CommandFailed() {
    return QStringLiteral("Ошибка команды ");
}
inline QString NotAnswering() {
    return QStringLiteral("Устройство не отвечает");
}
inline QString GreetingRefused() {
    return QStringLiteral("Устройство не отвечает Hi");
}
inline QString GreetingUnanswered() {
    return QStringLiteral("Устройство не отвечает Hi_Test");
}
inline QString WaitingForDevice() {
    return QStringLiteral("Ожидание устройства...");
}
inline QString DriverYSilent() {
    return QStringLiteral("Устройство не отвечает ProgY_Motor");
}
inline QString DriverXFailed() {
    return QStringLiteral("Не отвечает драйвер двигателя X ");
}
inline QString DriverYFailed() {
    return QStringLiteral("Не отвечает драйвер двигателя Y ");
}
inline QString DeviceReadyText() {
    return QStringLiteral("Устройство готово к работе");
}
inline QString DeviceFoundText() {
    return QStringLiteral("Найдено устройство ");
}

} // namespace zeb::messages
