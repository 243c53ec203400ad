#pragma once
// "Другой порт...": the serial ports the operator may choose from, as the system reports them,
// with the port in use among them even when the system does not list it (a pseudo-terminal,
// such as the one the virtual controller serves, is never listed).

#include <QString>

#include <vector>

namespace zeb {

struct PortOffer {
    QString name;        // what is opened and kept as the port in Zeb.ini
    QString description; // the system's words for it; may be empty
};

// The system's ports by device path, in path order; `portInUse` (a name of the settings,
// "comN" or a path) first, described as `inUseText`, when none of them is that port.
std::vector<PortOffer> PortsToOffer(const QString& portInUse, const QString& inUseText);

// Whether `name` can be a port name: it goes whole onto one line of Zeb.ini, so it is not
// empty and is Windows-1251 text without a control character.
bool UsablePortName(const QString& name);

} // namespace zeb
