#pragma once
// The programs' version, the same in all three and in the package: the project's version,
// followed by the git revision when built from a checkout (e.g. "5.6+git138.f96c8e6").

namespace zeb {

const char* Version();

} // namespace zeb
