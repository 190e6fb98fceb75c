#pragma once

#include <string>

namespace pellaquin {

// The MaLa list's options; they last as long as the program and are never stored.
struct MalaListSettings {
    std::string title;
};

} // namespace pellaquin
