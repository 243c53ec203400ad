// The plan reader over any bytes as the plan file: estimate, execution and recovery all read
// plans through it.
#include "fuzz/fuzz_input.h"
#include "job/plan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only that it reads without a fault counts, not what it makes of the bytes.
    static_cast<void>(
        zeb::ReadPlan(zeb::fuzz::WriteInput(QString::fromLatin1(zeb::PlanFileName), data, size)));
    return 0;
}
