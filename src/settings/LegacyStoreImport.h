#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellaquin {

// The text values earlier versions kept in their store file (the registry export form: a
// "[HKEY_CURRENT_USER\Software\Pellaquin]" section of lines such as "name"="text" or "name"=hex(1):61,00),
// by name in file order: read once, when a settings file of today's form does not exist yet. Nothing
// when the text holds no such section or a line of it is not a value.
std::optional<std::vector<std::pair<std::string, std::string>>> ReadLegacyStoreValues(std::string_view bytes);

} // namespace pellaquin
