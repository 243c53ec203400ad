// The picture reader over any bytes as a picture file: the format is told by the contents
// alone (the file has no extension), then the header checks and the decode run as for Open.
#include "fuzz/fuzz_input.h"
#include "picture/picture_file.h"

namespace {

// A budget that lets every small picture through and sends large ones to the memory check
// before anything is decoded, so no input costs more than a few milliseconds.
constexpr qint64 AvailableBytes = 16 * 1024 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static_cast<void>(zeb::LoadPictureFile(
        zeb::fuzz::WriteInput(QStringLiteral("picture"), data, size), AvailableBytes));
    return 0;
}
