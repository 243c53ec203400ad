#include "link/port_offers.h"

#include "link/comm_port_driver.h"

#include <QSerialPortInfo>
#include <QStringEncoder>

#include <algorithm>

namespace zeb {

std::vector<PortOffer> PortsToOffer(const QString& portInUse, const QString& inUseText) {
    std::vector<PortOffer> offers;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        offers.push_back({port.systemLocation(), port.description()});
    std::sort(offers.begin(), offers.end(),
              [](const PortOffer& a, const PortOffer& b) { return a.name < b.name; });
    const QString inUse = CommPortDriver1::SystemPortName(portInUse);
    const bool listed = std::any_of(offers.begin(), offers.end(),
                                    [&inUse](const PortOffer& o) { return o.name == inUse; });
    if (!listed && !portInUse.isEmpty())
        offers.insert(offers.begin(), {portInUse, inUseText});
    return offers;
}

bool UsablePortName(const QString& name) {
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    QStringEncoder encode("Windows-1251");
    const QByteArray encoded = encode(name); // converts only when taken
    return !name.isEmpty() && !control && !encode.hasError();
}

} // namespace zeb
