// The progress record's reader over any bytes as "ErorProgress.txt".
#include "fuzz/fuzz_input.h"
#include "job/progress_record.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::fuzz::WriteInput(zeb::ProgressFileName, data, size);
    const QString directory = zeb::fuzz::StartDirectory();
    const auto record = zeb::ReadProgressRecord(zeb::TextCatalogue(), directory);
    // Whatever the reader takes, the writer must write back in a form the reader takes again
    // unchanged: a running job rewrites the record before every line.
    if (!record || !*record)
        return 0;
    if (!zeb::WriteProgressRecord(directory, **record))
        std::abort();
    const auto again = zeb::ReadProgressRecord(zeb::TextCatalogue(), directory);
    if (!again || *again != *record)
        std::abort();
    return 0;
}
