// The language reader over any bytes as the start directory's only "*.lng" file.
#include "fuzz/fuzz_input.h"
#include "setup/language_file.h"
#include "text/text_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::fuzz::WriteInput(QStringLiteral("language.lng"), data, size);
    zeb::TextCatalogue texts;
    zeb::LoadLanguageFile(zeb::fuzz::StartDirectory(), texts);
    return 0;
}
