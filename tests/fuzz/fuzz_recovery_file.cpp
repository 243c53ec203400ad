// The recovery file's two readers over any bytes as "ErorFile.txt": the start-up check reads
// the picture position, recovery the whole file.
#include "fuzz/fuzz_input.h"
#include "job/recovery_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::fuzz::WriteInput(zeb::RecoveryFileName, data, size);
    const QString directory = zeb::fuzz::StartDirectory();
    const auto record = zeb::ReadRecoveryFile(zeb::TextCatalogue(), directory);
    const auto offsets = zeb::ReadRecoveryOffsets(zeb::TextCatalogue(), directory);
    // A file recovery takes must pass the start-up check with the same position, or start-up
    // would offer a job that recovery then places elsewhere.
    if (record && (!offsets || offsets->x != record->offsetX || offsets->y != record->offsetY))
        std::abort();
    return 0;
}
