#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pellaquin {

// A MAME release named the way catver.ini's [VerAdded] names them, ordered as the releases came
// out: betas, then release candidates, then the release, its point releases and its updates
// (0.36b16 < 0.36rc1 < 0.36 < 0.36u1 < 0.37b1; 0.69 < 0.69a < 0.69b < 0.69u1); "0.71u3p" comes
// just after 0.71u3.
class MameVersion {
public:
    // The release `text` names: "X.Y", "X.YbN", "X.YrcN", "X.YuN", "X.YuNp", or "X.Y" and one point
    // letter; letters of either case. Any other text names no release, and so belongs to no range of
    // them.
    static std::optional<MameVersion> Parse(std::string_view text);

    friend auto operator<=>(const MameVersion&, const MameVersion&) = default;

private:
    enum class Stage : std::uint8_t { BETA, RELEASE_CANDIDATE, RELEASE, UPDATE };

    std::uint32_t m_major = 0;
    std::uint32_t m_minor = 0;
    Stage m_stage = Stage::RELEASE;
    std::uint32_t m_number = 0; // of the beta, candidate or update; of a point release, its letter (a = 1)
    bool m_patched = false;     // the "p" after an update
};

} // namespace pellaquin
