#include "platform/UserFolder.h"

#include <cstdlib>

namespace pellaquin {

namespace {

std::filesystem::path Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::filesystem::path() : std::filesystem::path(value);
}

} // namespace

std::filesystem::path UserFolder(const char* variable, const std::filesystem::path& underHome) {
    std::filesystem::path base = Environment(variable);
    if (base.is_absolute()) {
        return base / "pellaquin";
    }
    std::filesystem::path home = Environment("HOME");
    if (home.is_absolute()) {
        return home / underHome / "pellaquin";
    }
    return {};
}

} // namespace pellaquin
