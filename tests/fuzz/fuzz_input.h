#pragma once
// What every fuzz target needs to hand an input to a reader that reads from the start
// directory: the input's bytes become a file there. The directory is private to the process,
// made at its first input in the temporary folder (TMPDIR; scripts/fuzz.sh points that at
// memory) and removed when the process exits.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace zeb::fuzz {

// The start directory of every input of this process.
QString StartDirectory();

// Writes `size` bytes as the file `name` of the start directory, replacing what the previous
// input left there, and returns its path.
QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size);

} // namespace zeb::fuzz
