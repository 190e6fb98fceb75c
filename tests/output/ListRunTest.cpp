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
    for (ListType type : {ListType::XML, ListType::CSV, ListType::NAMES, ListType::MALA}) {
        m_request.type = type;
        EXPECT_EQ(RunList(m_input, m_request, refusing).status, ListStatus::WRITE_FAILED);
        // A list whose last byte finds the disk full is as lost as one whose first does.
        std::size_t whole = List(type, type == ListType::CSV ? "<game name=,<description>" : "!cloneof").size();
        ASSERT_GT(whole, 0U);
        FillingSink full(whole - 1);
        EXPECT_EQ(RunList(m_input, m_request, full).status, ListStatus::WRITE_FAILED) << int(type);
        FillingSink enough(whole);
        EXPECT_EQ(RunList(m_input, m_request, enough).status, ListStatus::DONE) << int(type);
    }
}

// What the user is told for each status.
TEST(ListStatusMessageTest, Texts) {
    EXPECT_EQ(ListStatusMessage(ListStatus::DONE), "");
    EXPECT_EQ(ListStatusMessage(ListStatus::EMPTY_COMMAND), "Error! Nothing to search for");
    EXPECT_EQ(ListStatusMessage(ListStatus::INPUT_READ_FAILED),
              "Open or Read error on input file!?\r\nCheck your settings.");
    EXPECT_EQ(ListStatusMessage(ListStatus::OUTPUT_NOT_WRITABLE, "/a b"), "Cannot write the output file /a b");
    EXPECT_EQ(ListStatusMessage(ListStatus::WRITE_FAILED, "/x"), "Cannot write the output file /x");
}

} // namespace
} // namespace pellaquin
