#include "output/WriterFixture.h"

namespace pellaquin {
namespace {

using ListRunTest = test::WriterFixture;

// A sink whose every write fails, as a full disk makes them.
class RefusingSink : public ByteSink {
public:
    bool Write(std::string_view) override { return false; }
    bool WriteAt(std::int64_t, std::string_view) override { return false; }
};

// Takes every write that is not empty but the one numbered `failing` (from 0), and counts them.
class OneFailingSink : public ByteSink {
public:
    explicit OneFailingSink(int failing) : m_failing(failing) {}
    bool Write(std::string_view bytes) override { return bytes.empty() || m_writes++ != m_failing; }
    bool WriteAt(std::int64_t, std::string_view) override { return true; }
    int Writes() const { return m_writes; }

private:
    int m_failing;
    int m_writes = 0;
};

// A disk that fills: writes succeed until `capacity` bytes have gone, then fail.
class FillingSink : public ByteSink {
public:
    explicit FillingSink(std::size_t capacity) : m_left(capacity) {}
    bool Write(std::string_view bytes) override {
        if (bytes.size() > m_left) {
            return false;
        }
        m_left -= bytes.size();
        return true;
    }
    // Overwrites bytes already written, which takes no room.
    bool WriteAt(std::int64_t, std::string_view) override { return true; }

private:
    std::size_t m_left;
};

// A memory list is patched where it holds bytes, never past its end.
TEST(MemorySinkTest, WritesAtOnlyWhatItHolds) {
    MemorySink sink;
    sink.Write("abc");
    EXPECT_TRUE(sink.WriteAt(1, "xy"));
    EXPECT_TRUE(sink.WriteAt(0, "a"));
    EXPECT_FALSE(sink.WriteAt(2, "xy"));
    EXPECT_FALSE(sink.WriteAt(-1, "x"));
    EXPECT_EQ(sink.Bytes(), "axy");
}

// An empty command is refused before anything is read or written; one of double quotes only is the
// empty search command, which keeps every game.
TEST_F(ListRunTest, EmptyAndQuotesOnlyCommands) {
    OpenData("listxml_small.xml");
    EXPECT_EQ(List(ListType::NAMES, ""), "");
    EXPECT_EQ(m_result.status, ListStatus::EMPTY_COMMAND);
    std::string target = m_folder.Write("list.txt", "old");
    EXPECT_EQ(RunListToFile(m_input, m_request, target).status, ListStatus::EMPTY_COMMAND);
    EXPECT_EQ(test::ReadWholeFile(target), "old");

    EXPECT_EQ(List(ListType::NAMES, "\"\""), "puckman\npacman\nsf2\ninvaders\nufo\n");
    EXPECT_EQ(List(ListType::NAMES, "\"!cloneof\""), "puckman\nsf2\ninvaders\nufo\n");
    EXPECT_EQ(m_result.status, ListStatus::DONE);
}

// The window's line ends: CR LF for every list, ".zip" names for the Atomic FE list, none for MaLa.
TEST_F(ListRunTest, WindowLineEnds) {
    OpenData("listxml_small.xml");
    EXPECT_EQ(List(ListType::ATOMIC_FE, "name=cocktail"), "puckman\npacman\n");
    m_request.windowLineEnds = true;
    EXPECT_EQ(List(ListType::ATOMIC_FE, "name=cocktail"), "puckman.zip\r\npacman.zip\r\n");
    EXPECT_EQ(List(ListType::NAMES, "name=cocktail"), "puckman\r\npacman\r\n");
    EXPECT_EQ(List(ListType::ATOMIC_FE, "no such game"), "");
    std::string xml = List(ListType::XML, "name=sf2");
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\"?>\r\n"));
    EXPECT_TRUE(xml.ends_with("\t</game>\r\n\r\r\n</mame>\r\n"));
    EXPECT_EQ(List(ListType::MALA, "name=sf2").find("\r\n"), std::string::npos);
}

// A file is replaced by the whole list only; a place that cannot take it, or a sink that fails,
// is reported, and the file in place stays.
TEST_F(ListRunTest, OutputFailures) {
    OpenData("listxml_small.xml");
    m_request.command = "!cloneof";
    std::string target = m_folder.Write("list.mlg", "old list");
    m_request.type = ListType::MALA;
    ListResult written = RunListToFile(m_input, m_request, target);
    EXPECT_EQ(written.status, ListStatus::DONE);
    EXPECT_EQ(written.matchCount, 4);
    EXPECT_EQ(test::ReadWholeFile(target).substr(0, 3), std::string("\x01\x06\x00", 3));

    std::string missing = (m_folder.Path() / "no" / "list.txt").string();
    EXPECT_EQ(RunListToFile(m_input, m_request, missing).status, ListStatus::OUTPUT_NOT_WRITABLE);
    RefusingSink refusing;
    EXPECT_EQ(RunList(m_input, m_request, refusing).status, ListStatus::WRITE_FAILED);
}

// A list of any type is as lost when its last write, or any write before, finds the disk full as when its first
// does: a sink that takes every write but one fails the run.
TEST_F(ListRunTest, EveryWriteOfEveryTypeCounts) {
    OpenData("exports_small.xml");
    for (const ListTypeInfo& type : ListTypes()) {
        m_request.type = type.type;
        // A clone and a game with a device: the DAT adds their parent, BIOS and device after them.
        m_request.command =
            type.dialog == ListOptionsDialog::COLUMNS ? "<machine name=,<description>" : "name=fighterj | name=quoted";
        OneFailingSink whole(-1);
        ASSERT_EQ(RunList(m_input, m_request, whole).status, ListStatus::DONE) << type.name;
        ASSERT_GT(whole.Writes(), 0) << type.name;
        for (int failing = 0; failing < whole.Writes(); ++failing) {
            OneFailingSink lost(failing);
            EXPECT_EQ(RunList(m_input, m_request, lost).status, ListStatus::WRITE_FAILED)
                << type.name << ", write " << failing;
        }
    }
}

} // namespace
} // namespace pellaquin
