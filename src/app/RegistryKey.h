#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/RegistryStoreFile.h"
#include "app/SettingsLocation.h"

namespace pellaquin {

// The store holds the current user's keys only.
enum RegistryRoot { HKEY_CURRENT_USER };

// Access rights of an open key: loading needs the query right, writing back the set right.
constexpr unsigned KEY_QUERY_VALUE = 0x0001;
constexpr unsigned KEY_SET_VALUE = 0x0002;
constexpr unsigned KEY_CREATE_SUB_KEY = 0x0004;

class CRegistryKey;

// One cached value of a CRegistryKey, owned by the key.
class CRegistryValue {
public:
    static constexpr std::size_t TEXT_BUFFER_SIZE = 2048;

    CRegistryValue(const CRegistryValue&) = delete;
    CRegistryValue& operator=(const CRegistryValue&) = delete;

    // 0 until a value is loaded or assigned, then the type last loaded or assigned (REG_SZ,
    // REG_BINARY, REG_DWORD or REG_MULTI_SZ).
    std::uint32_t Type() const { return m_type; }

    // The text form, NUL-terminated in a 2048-byte buffer owned by the value: a text as cached; a
    // number in unsigned decimal; bytes cut at 2047; of a list of texts, the first. Valid while the key
    // lives and until the next Text or Set call on this value.
    const char* Text();

    // Makes the value a text (REG_SZ). The cache keeps at most 2047 bytes; unless the key is loading,
    // the value has a name and the key is open with the set right, the whole text is also written to
    // the store. A failed write is not reported. As stored data the text ends at its first NUL.
    void SetText(std::string_view text);

private:
    friend class CRegistryKey;

    CRegistryValue(CRegistryKey& owner, std::string name);

    // The other types come only from loading and change the cache only.
    void SetNumber(std::uint32_t number);
    void SetBytes(std::string bytes);
    void SetTexts(std::vector<std::string> texts);

    char* Buffer();

    std::string m_name;
    std::uint32_t m_type = 0;
    CRegistryKey* m_owner;
    std::uint32_t m_number = 0;
    std::unique_ptr<std::array<char, TEXT_BUFFER_SIZE>> m_text;
    std::string m_bytes;
    std::vector<std::string> m_texts;
};

// One key of the per-user store and a cache of its values, in order of first use.
class CRegistryKey {
public:
    // Create the key when Open finds it missing; without it a missing key fails to open.
    static constexpr int MODE_CREATE = 1;
    // Set while the cache is filled from the store: assignments then change only the cache.
    static constexpr int MODE_LOADING = 8;

    // A closed key with an empty cache; `modeFlags` is 0 for a reader or MODE_CREATE for the writer.
    explicit CRegistryKey(int modeFlags, const SettingsLocation& location = SettingsLocation::ForCurrentUser());
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens `subKey` under `root` and loads its values into the cache. Opening another key than the one
    // held (A-Z case ignored) empties the cache first. False when the key is missing and MODE_CREATE is
    // not set, when it cannot be created, or when `rights` lack KEY_QUERY_VALUE (the key then stays
    // open). A missing, unreadable or malformed store counts as a missing key; the writer keeps a
    // malformed one as user.reg.bad before it replaces it, and fails on an unreadable one.
    bool Open(std::string_view subKey, RegistryRoot root = HKEY_CURRENT_USER,
              unsigned rights = KEY_QUERY_VALUE | KEY_SET_VALUE);

    // The cached value named `name` (A-Z case ignored), created empty and appended when none is cached.
    CRegistryValue& Value(std::string_view name);

    // Closes the key if it is open; the cache stays.
    void Close();

    // True from an Open that found or made the key until Close.
    bool IsOpen() const { return m_open; }

    // True once a value could not be written to the store, until the next Open.
    bool HadWriteError() const { return m_hadWriteError; }

private:
    friend class CRegistryValue;

    bool LoadAllValues(const std::vector<StoredValue>& values);
    void WriteText(const std::string& name, std::string_view text);
    std::string KeyPath() const;

    bool m_open = false;
    bool m_hadWriteError = false;
    unsigned m_rights = 0;
    int m_modeFlags;
    RegistryRoot m_root = HKEY_CURRENT_USER;
    std::optional<std::string> m_subKeyName;
    std::vector<std::unique_ptr<CRegistryValue>> m_values;
    RegistryStoreFile m_store;
};

} // namespace pellaquin
