#pragma once

#include <filesystem>

namespace pellaquin {

// The folder of the sample files that travel with the program: share/pellaquin/samples under the prefix
// the running program was installed to (bin/'s parent), else samples/ of the source tree it was built
// from, for a program run from its build folder; empty when neither holds the merged sample.
std::filesystem::path SamplesFolder();

} // namespace pellaquin
