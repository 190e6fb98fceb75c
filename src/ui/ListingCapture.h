#pragma once

#include <string>

#include "data/MameCapture.h"

class QWidget;

namespace pellaquin {

// Captures MAME's listing from `program` on a thread of its own while a progress window above `parent` shows
// how much of it MAME has given: the windows go on painting and can be moved, but `parent` takes no input until
// it ends. Returns the outcome when the capture is over.
CaptureOutcome CaptureListingWithProgress(const std::string& program, QWidget* parent);

} // namespace pellaquin
