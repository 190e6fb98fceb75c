#pragma once

#include <filesystem>

namespace pellaquin {

// The program's folder of one kind for the current user: $`variable`/pellaquin when that variable
// holds an absolute path, else $HOME/`underHome`/pellaquin when HOME is absolute, else an empty
// path. Relative paths are passed over, as the base directory rules say: they would depend on the
// working folder. Read from the environment at each call, so a test can point it elsewhere.
std::filesystem::path UserFolder(const char* variable, const std::filesystem::path& underHome);

} // namespace pellaquin
