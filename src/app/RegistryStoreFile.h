#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Registry value types the store knows by name; any other type number is kept as it is.
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::uint32_t REG_MULTI_SZ = 7;

// One value as the registry hands it out: a text's data ends with its NUL, a number is four
// little-endian bytes.
struct StoredValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;

    bool operator==(const StoredValue&) const = default;
};

// True when `a` and `b` are equal once A to Z are lowered; other bytes compare as they are.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// A per-user store of registry keys in a text file of the registry's export form: the header line
// "Windows Registry Editor Version 5.00", then a "[key path]" section per key holding lines such as
// "name"="text", "name"=dword:0000002a, "name"=hex:01,02 and "name"=hex(7):61,00,00. Key paths and
// value names match without regard to A-Z case; CR LF line ends read as LF.
// A file that does not begin with the header line, or a key section with a line that is not a value,
// reads as holding no such key; before a change replaces it, the file is copied to "<file>.bad".
// Sections of other keys are kept as they are. Every change rewrites the file through a temporary file
// beside it, so the file is always either the old one or the new one.
class RegistryStoreFile {
public:
    explicit RegistryStoreFile(std::filesystem::path path);

    // The values of the key `keyPath` in file order, or nothing when the file is missing, unreadable
    // or malformed, or holds no such key.
    std::optional<std::vector<StoredValue>> ReadKey(std::string_view keyPath) const;

    // As ReadKey, but creates the key (and the file and its folders) when it is missing or malformed.
    // Nothing when the store cannot be read or written.
    std::optional<std::vector<StoredValue>> CreateKey(std::string_view keyPath);

    // Stores `value` in the key `keyPath`, created when missing, in place of any values of the same
    // name; the key's section is written afresh, without its comments. False when the store cannot be
    // read or written, or the name or path holds a line end, which the file cannot carry.
    bool WriteValue(std::string_view keyPath, const StoredValue& value);

private:
    std::filesystem::path m_path;
};

} // namespace pellaquin
