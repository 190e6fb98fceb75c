// Random settings store files through the parser, then one value written into them: nothing may
// crash, the value must read back exactly, and the key's other values and the other keys must stay
// as they were read.

#include "FuzzSupport.h"

#include "app/RegistryStoreFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace pellaquin {

namespace {

constexpr std::string_view KEY_PATH = "Software\\Pellaquin";
constexpr std::string_view OTHER_KEY_PATH = "Software\\Other";
constexpr std::uint32_t TYPES[] = {REG_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, 0, 2, 11, 0xffffffff};

std::vector<StoredValue> WithoutName(const std::vector<StoredValue>& values, std::string_view name) {
    std::vector<StoredValue> kept;
    std::copy_if(values.begin(), values.end(), std::back_inserter(kept),
                 [&](const StoredValue& value) { return !EqualsIgnoringAsciiCase(value.name, name); });
    return kept;
}

bool StartsWithHeaderLine(std::string_view text) {
    std::size_t lineFeed = text.find('\n');
    std::string_view line = text.substr(0, lineFeed);
    if (lineFeed != std::string_view::npos && line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line == "Windows Registry Editor Version 5.00";
}

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

} // namespace

} // namespace pellaquin

// The first line is the value's name; then a byte picks its type and a byte gives its data's length,
// followed by that many bytes of data; the rest is the store file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    static const fuzz::ScratchFile file(".reg");
    std::string_view text = fuzz::AsText(data, size);
    StoredValue value;
    value.name = std::string(fuzz::TakeLine(text));
    if (text.size() < 2) {
        return 0;
    }
    value.type = TYPES[static_cast<std::uint8_t>(text[0]) % std::size(TYPES)];
    std::size_t length = std::min<std::size_t>(static_cast<std::uint8_t>(text[1]), text.size() - 2);
    value.data = std::string(text.substr(2, length));
    text.remove_prefix(2 + length);

    std::filesystem::path badCopy = file.Path() + ".bad";
    std::filesystem::remove(badCopy);
    file.Write(text);
    RegistryStoreFile store(file.Path());
    std::optional<std::vector<StoredValue>> before = store.ReadKey(KEY_PATH);
    std::optional<std::vector<StoredValue>> otherBefore = store.ReadKey(OTHER_KEY_PATH);

    bool written = store.WriteValue(KEY_PATH, value);
    if (written != (value.name.find_first_of("\r\n") == std::string::npos)) {
        fuzz::Fail("a value was refused or taken against its name");
    }
    if (!written) {
        return 0;
    }
    std::optional<std::vector<StoredValue>> after = store.ReadKey(KEY_PATH);
    if (!after) {
        fuzz::Fail("the key cannot be read after a write");
    }
    std::vector<StoredValue> expected = WithoutName(before.value_or(std::vector<StoredValue>{}), value.name);
    std::vector<StoredValue> others = WithoutName(*after, value.name);
    if (others != expected) {
        fuzz::Fail("the key's other values changed");
    }
    if (after->size() != others.size() + 1 || std::find(after->begin(), after->end(), value) == after->end()) {
        fuzz::Fail("the written value does not read back exactly once");
    }
    if (otherBefore && store.ReadKey(OTHER_KEY_PATH) != otherBefore) {
        fuzz::Fail("another key changed");
    }
    if (!StartsWithHeaderLine(text) && ReadWhole(badCopy) != text) {
        fuzz::Fail("a file without the header line was replaced without a copy of it");
    }
    return 0;
}
