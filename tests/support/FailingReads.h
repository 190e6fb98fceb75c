#pragma once

#include <cstdint>
#include <string>

namespace pellaquin::test {

// Makes reads of the file at `path` fail with EIO once they reach `offset`, for its life, as a
// failing disk or a dropped network share does.
class FailingReads {
public:
    FailingReads(const std::string& path, std::int64_t offset);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};

} // namespace pellaquin::test
