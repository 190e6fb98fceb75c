#pragma once

#include <string>

#include "data/MameCapture.h"

namespace pellaquin {

// Captures MAME's listing from `program` on a thread of its own while a progress window shows how much
// of it MAME has given: the windows go on painting and can be moved, but take no input until it ends.
// Returns the outcome when the capture is over.
CaptureOutcome CaptureListingWithProgress(const std::string& program);

} // namespace pellaquin
