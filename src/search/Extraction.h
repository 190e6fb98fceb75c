#pragma once

#include "records/InputFormat.h"

#include <string_view>

namespace pellaquin {

// The ROM name: the first quoted value after the game start tag of the format and element. Without a quote after
// the tag, the text before the record's first double quote (empty when it has none); with an
// opening quote but no closing one, empty. The view points into `record`.
std::string_view ExtractRomName(std::string_view record, InputFormat format,
                                RecordElement element = RecordElement::GAME);

// The description: after "<description>" up to the next "<", or for controls.xml the quoted text
// after "gamename=". Empty when the tag or the end is missing. The view points into `record`.
std::string_view ExtractDescription(std::string_view record, InputFormat format);

} // namespace pellaquin
