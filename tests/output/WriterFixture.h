#pragma once

#include "output/GameScanner.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin::test {

// A scanner with the main window's defaults and an input file opened from tests/data or from bytes.
class WriterFixture : public ::testing::Test {
protected:
    WriterFixture() { m_scanner.m_fieldSeparator.push_back(','); }

    void OpenData(std::string_view name) { Open(DataPath(name)); }
    void OpenBytes(std::string_view bytes) { Open(m_folder.Write("input.xml", bytes)); }

    TemporaryFolder m_folder;
    InputFile m_input;
    GameScanner m_scanner;

private:
    void Open(const std::string& path) { ASSERT_EQ(m_input.Open(path), InputFile::OpenResult::OK); }
};

} // namespace pellaquin::test
