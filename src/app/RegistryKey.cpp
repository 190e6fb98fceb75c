#include "app/RegistryKey.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace pellaquin {

namespace {

// A value name longer than this does not fit the loader's name buffer, so loading passes it over.
constexpr std::size_t MAX_LOADED_NAME = 259;

std::string_view RootName(RegistryRoot root) {
    switch (root) {
    case HKEY_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    }
    return {};
}

// The NUL-separated texts of list data; an empty text ends the list.
std::vector<std::string> SplitTexts(std::string_view data) {
    std::vector<std::string> texts;
    if (data.size() <= 2) {
        return texts;
    }
    while (!data.empty()) {
        std::string_view text = data.substr(0, data.find('\0'));
        if (text.empty()) {
            break;
        }
        texts.emplace_back(text);
        data.remove_prefix(std::min(text.size() + 1, data.size()));
    }
    return texts;
}

std::uint32_t ReadLittleEndian(std::string_view bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        number = number << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return number;
}

} // namespace

CRegistryValue::CRegistryValue(CRegistryKey& owner, std::string name) : m_name(std::move(name)), m_owner(&owner) {}

char* CRegistryValue::Buffer() {
    if (!m_text) {
        m_text = std::make_unique<std::array<char, TEXT_BUFFER_SIZE>>();
    }
    return m_text->data();
}

const char* CRegistryValue::Text() {
    char* buffer = Buffer();
    switch (m_type) {
    case REG_BINARY: {
        std::size_t length = std::min(m_bytes.size(), TEXT_BUFFER_SIZE - 1);
        std::memcpy(buffer, m_bytes.data(), length);
        buffer[length] = '\0';
        break;
    }
    case REG_DWORD:
        *std::to_chars(buffer, buffer + TEXT_BUFFER_SIZE - 1, m_number).ptr = '\0';
        break;
    case REG_MULTI_SZ: {
        // Each text with its NUL while it fits, and one more NUL to end the list.
        std::size_t used = 0;
        for (const std::string& text : m_texts) {
            if (used + text.size() + 2 > TEXT_BUFFER_SIZE) {
                break;
            }
            std::memcpy(buffer + used, text.data(), text.size());
            used += text.size();
            buffer[used++] = '\0';
        }
        buffer[used] = '\0';
        break;
    }
    default:
        break;
    }
    return buffer;
}

void CRegistryValue::SetText(std::string_view text) {
    char* buffer = Buffer();
    m_type = REG_SZ;
    std::size_t length = std::min(text.size(), TEXT_BUFFER_SIZE - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    if ((m_owner->m_modeFlags & CRegistryKey::MODE_LOADING) == 0 && !m_name.empty() && m_owner->m_open) {
        m_owner->WriteText(m_name, text);
    }
}

void CRegistryValue::SetNumber(std::uint32_t number) {
    m_type = REG_DWORD;
    m_number = number;
}

void CRegistryValue::SetBytes(std::string bytes) {
    m_type = REG_BINARY;
    m_bytes = std::move(bytes);
}

void CRegistryValue::SetTexts(std::vector<std::string> texts) {
    m_type = REG_MULTI_SZ;
    m_texts = std::move(texts);
}

CRegistryKey::CRegistryKey(int modeFlags, const SettingsLocation& location)
    : m_modeFlags(modeFlags), m_store(location.StoreFile()) {}

bool CRegistryKey::Open(std::string_view subKey, RegistryRoot root, unsigned rights) {
    if (m_subKeyName && !EqualsIgnoringAsciiCase(*m_subKeyName, subKey)) {
        m_values.clear();
        m_subKeyName.reset();
    }
    if (!m_subKeyName) {
        m_subKeyName.emplace(subKey);
    }
    m_root = root;
    Close();
    m_hadWriteError = false;
    bool create = (m_modeFlags & MODE_CREATE) != 0;
    if (create) {
        rights |= KEY_CREATE_SUB_KEY;
    }
    std::optional<std::vector<StoredValue>> values = create ? m_store.CreateKey(KeyPath()) : m_store.ReadKey(KeyPath());
    if (!values) {
        return false;
    }
    m_open = true;
    m_rights = rights;
    return LoadAllValues(*values);
}

CRegistryValue& CRegistryKey::Value(std::string_view name) {
    auto found = std::find_if(m_values.rbegin(), m_values.rend(),
                              [&](const auto& value) { return EqualsIgnoringAsciiCase(value->m_name, name); });
    if (found != m_values.rend()) {
        return **found;
    }
    m_values.push_back(std::unique_ptr<CRegistryValue>(new CRegistryValue(*this, std::string(name))));
    return *m_values.back();
}

void CRegistryKey::Close() {
    m_open = false;
    m_rights = 0;
}

// Values the loader's buffers cannot take, and types it does not know, are passed over, so they read
// as empty.
bool CRegistryKey::LoadAllValues(const std::vector<StoredValue>& values) {
    if ((m_rights & KEY_QUERY_VALUE) == 0) {
        return false;
    }
    int savedFlags = m_modeFlags;
    m_modeFlags |= MODE_LOADING;
    for (const StoredValue& value : values) {
        if (value.name.size() > MAX_LOADED_NAME || value.data.size() > CRegistryValue::TEXT_BUFFER_SIZE) {
            continue;
        }
        switch (value.type) {
        case REG_SZ:
            Value(value.name).SetText(std::string_view(value.data).substr(0, value.data.find('\0')));
            break;
        case REG_BINARY:
            Value(value.name).SetBytes(value.data);
            break;
        case REG_DWORD:
            if (value.data.size() == 4) {
                Value(value.name).SetNumber(ReadLittleEndian(value.data));
            }
            break;
        case REG_MULTI_SZ:
            Value(value.name).SetTexts(SplitTexts(value.data));
            break;
        default:
            break;
        }
    }
    m_modeFlags = savedFlags;
    return true;
}

void CRegistryKey::WriteText(const std::string& name, std::string_view text) {
    if ((m_rights & KEY_SET_VALUE) == 0) {
        return;
    }
    std::string data(text.substr(0, text.find('\0')));
    data += '\0';
    if (!m_store.WriteValue(KeyPath(), StoredValue{name, REG_SZ, std::move(data)})) {
        m_hadWriteError = true;
    }
}

std::string CRegistryKey::KeyPath() const {
    std::string path(RootName(m_root));
    if (m_subKeyName && !m_subKeyName->empty()) {
        path += '\\' + *m_subKeyName;
    }
    return path;
}

} // namespace pellaquin
