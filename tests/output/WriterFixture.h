#pragma once

#include "output/ByteSink.h"
#include "output/ListRun.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin::test {

// An input file opened from tests/data or from bytes, and lists run over it with the main window's
// defaults.
class WriterFixture : public ::testing::Test {
protected:
    void OpenData(std::string_view name) { Open(DataPath(name)); }
    void OpenBytes(std::string_view bytes) { Open(m_folder.Write("input.xml", bytes)); }

    // The bytes of the list of `type` for `command` (for CSV, the column list); its result in m_result.
    std::string List(ListType type, std::string command) {
        m_request.type = type;
        m_request.command = std::move(command);
        MemorySink sink;
        m_result = RunList(m_input, m_request, sink);
        return sink.Bytes();
    }

    TemporaryFolder m_folder;
    InputFile m_input;
    ListRequest m_request;
    ListResult m_result;

private:
    void Open(const std::string& path) { ASSERT_EQ(m_input.Open(path), InputFile::OpenResult::OK); }
};

} // namespace pellaquin::test
