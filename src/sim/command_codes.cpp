#include "sim/command_codes.h"

namespace zeb::sim {

QString CommandName(const QByteArray& frame) {
    if (frame.size() < 4 || static_cast<quint8>(frame[0]) != CommandLead)
        return QStringLiteral("?");
    switch (static_cast<quint8>(frame[1])) {
    case CodeReset:
        return QStringLiteral("ResetError");
    case CodeHi:
        return QStringLiteral("Hi");
    case CodeWarmUpStrike:
        return QStringLiteral("WarmUpStrike");
    case CodeStepUp:
        return QStringLiteral("StepUp");
    case CodeStepDown:
        return QStringLiteral("StepDown");
    case CodeLeft:
        return QStringLiteral("Left");
    case CodeRight:
        return QStringLiteral("Right");
    case CodeLineBackward:
    case CodeLineForward:
        return QStringLiteral("PrintLine");
    case CodeMonitor:
        return QStringLiteral("Monitor");
    case CodeHow:
        return QStringLiteral("How");
    case CodeBeginPrint:
        return QStringLiteral("BeginPrint");
    case CodeEndPrint:
        return QStringLiteral("EndPrint");
    case CodeMotorX:
        return QStringLiteral("ProgX_Motor");
    case CodeMotorY:
        return QStringLiteral("ProgY_Motor");
    case CodeSetStrike:
        return QStringLiteral("SetStrike");
    case CodeReadParamByte:
        return QStringLiteral("ReadParamByte");
    case CodeSetRegister:
        return QStringLiteral("SetRegister") + QString::number(static_cast<quint8>(frame[2]), 16)
                                                   .toUpper()
                                                   .rightJustified(2, QLatin1Char('0'));
    case CodeOff:
        return QStringLiteral("Off");
    case CodePut:
        return QStringLiteral("Put");
    case CodeUp:
        return QStringLiteral("Up");
    default:
        return QStringLiteral("?");
    }
}

} // namespace zeb::sim
