// The settings reader over any bytes as "Zeb.ini", into the values a fresh start holds.
#include "fuzz/fuzz_input.h"
#include "setup/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::fuzz::WriteInput(QStringLiteral("Zeb.ini"), data, size);
    zeb::Settings settings;
    zeb::StrikeLevels levels;
    zeb::MachineState machine;
    zeb::LoadSettings(zeb::fuzz::StartDirectory(), settings, levels, machine);
    return 0;
}
