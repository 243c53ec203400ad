// The plan cut of recovery over any plan, saved position, picture offsets and progress line.
//
// Input: 4 bytes of the controller's position reply, as How brings them back; the picture
// offsets X and Y, as the recovery file may hold them (32-bit little-endian); the progress
// record (32-bit little-endian: negative for none, else bit 30 for "the print job was opened"
// and the rest the recorded line); then the plan file's bytes, read by the plan reader as
// recovery reads them.
#include "fuzz/fuzz_input.h"
#include "job/plan_cut.h"
#include "job/plan_format.h"

#include <cstdlib>

namespace {

constexpr std::size_t HeaderSize = 16;

std::int32_t Int32At(const std::uint8_t* data) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | data[i];
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < HeaderSize)
        return 0;
    const zeb::HeadPosition saved{(256 * data[0] + data[1]) / 2, 256 * data[2] + data[3]};
    const std::int32_t record = Int32At(data + 12);
    const auto plan = zeb::ReadPlan(zeb::fuzz::WriteInput(QString::fromLatin1(zeb::PlanFileName),
                                                          data + HeaderSize, size - HeaderSize));
    // Recovery cuts only a plan the reader takes whole.
    if (!plan)
        return 0;
    const std::optional<zeb::PlanProgress> progress =
        record < 0
            ? std::nullopt
            : std::optional<zeb::PlanProgress>({record & 0x3FFFFFFF, (record & 0x40000000) != 0});
    const zeb::PlanCut cut =
        zeb::CutPlan(*plan, saved, Int32At(data + 4), Int32At(data + 8), progress);
    // A plan that reaches where the controller cannot report is refused with its line.
    if (cut.kind == zeb::CutKind::OutOfRange && (cut.badLine < 1 || !cut.text.isEmpty()))
        std::abort();
    // The remaining plan is written as a plan file and run: every line of it must be one the
    // plan reader takes.
    for (const QByteArray& line : cut.text.split('\n')) {
        if (!line.isEmpty() && (!line.endsWith('\r') || !zeb::ParsePlanLine(line.chopped(1))))
            std::abort();
    }
    return 0;
}
