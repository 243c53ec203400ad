#include "setup/settings.h"

namespace zeb {

std::array<bool, 8> PortItemChecks(const QString& portName) {
    std::array<bool, 8> checks{};
    for (int n = 1; n <= 8; ++n)
        checks[static_cast<size_t>(n - 1)] = portName == QStringLiteral("com%1").arg(n);
    return checks;
}

} // namespace zeb
