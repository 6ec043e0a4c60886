#include "extract/line_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver/file_slots.h"

using namespace modalyx;

namespace {

// The report text as the open input, and a scratch output in the pf.out slot.
class LineScan : public ::testing::Test {
 protected:
  void open_report(const std::string &text) {
    reset_file_slots();
    reset_line_scan();
    file_slots[SLOT_INPUT] = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file_slots[SLOT_INPUT]);
    std::rewind(file_slots[SLOT_INPUT]);
    file_slots[SLOT_PF] = std::tmpfile();
  }
  std::string output() {
    std::FILE *f = file_slots[SLOT_PF];
    std::fflush(f);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    return text;
  }
  void TearDown() override { reset_file_slots(); }
  static std::string line() { return line_buf.data(); }
};

}  // namespace

TEST_F(LineScan, LongLineComesInPiecesOf199) {
  std::string first = std::string(195, 'a') + "E F F";  // the marker is split at character 199
  std::string second = " E C T I V E" + std::string(38, 'b');
  open_report(first + second + "\n" + "E F F E C T I V E\n");
  ASSERT_EQ(250u, (first + second).size());
  ASSERT_TRUE(read_line());
  EXPECT_EQ(first.substr(0, 199), line());
  ASSERT_TRUE(read_line());
  EXPECT_EQ(first.substr(199) + second + "\n", line());
  EXPECT_EQ(52u, line().size());

  rewind_input();
  scan_count = 0;
  ASSERT_TRUE(find_line_with("E F F E C T I V E", 100));
  EXPECT_EQ(2, scan_count);  // each piece was one turn
  EXPECT_EQ("E F F E C T I V E\n", line());
}

TEST_F(LineScan, TerminatorsAndTheEndOfTheReport) {
  open_report("one\r\ntwo\n\nlast");
  ASSERT_TRUE(read_line());
  EXPECT_EQ("one\r\n", line());
  ASSERT_TRUE(read_line());
  EXPECT_EQ("two\n", line());
  ASSERT_TRUE(read_line());
  EXPECT_EQ("\n", line());
  ASSERT_TRUE(read_line());
  EXPECT_EQ("last", line());
  EXPECT_FALSE(input_ended());
  EXPECT_FALSE(read_line());
  EXPECT_TRUE(input_ended());
  EXPECT_EQ("last", line());  // the end leaves the buffer as it was
  EXPECT_FALSE(read_line());
  EXPECT_EQ("last", line());

  rewind_input();
  EXPECT_FALSE(input_ended());
  ASSERT_TRUE(read_line());
  EXPECT_EQ("one\r\n", line());
}

TEST_F(LineScan, EchoFormAddsABlankAndALineFeed) {
  open_report("row 1\r\n" + std::string(205, 'x') + "\nlast");
  for (int i = 0; i < 4; ++i) {
    read_line();
    echo_line(SLOT_PF);
  }
  EXPECT_EQ("row 1\r\n \n" + std::string(199, 'x') + " \n" + "xxxxxx\n \n" + "last \n", output());
}

TEST_F(LineScan, MarkersAreExactAndStopAtAZeroByte) {
  open_report(std::string("TOTAL total\n") + "ab\0TOTAL\n" + "E+");
  read_line();
  EXPECT_TRUE(has_marker("TOTAL"));
  EXPECT_FALSE(has_marker("Total"));
  read_line();
  EXPECT_FALSE(has_marker("TOTAL"));
}

TEST_F(LineScan, WordsKeepTheirContentsBetweenSplits) {
  open_report("  1  2  3.5E+00\t4 5 6 7 8\n9 10\n\n");
  read_line();
  split_words(7);
  EXPECT_STREQ("1", token_buf[0].data());
  EXPECT_STREQ("7", token_buf[6].data());
  EXPECT_EQ(3.5, token_value[2]);
  read_line();
  split_words(7);
  EXPECT_STREQ("9", token_buf[0].data());
  EXPECT_STREQ("10", token_buf[1].data());
  EXPECT_STREQ("3.5E+00", token_buf[2].data());  // fewer words: the rest stay
  EXPECT_EQ(3.5, token_value[2]);
  read_line();
  split_words(2);
  EXPECT_STREQ("9", token_buf[0].data());
}

TEST_F(LineScan, LongWordsAreCutButReadWhole) {
  open_report("1 2 3 1.2345678901234567E+05xyz\n");
  read_line();
  split_words(4);
  EXPECT_STREQ("1.2345678901234567E", token_buf[3].data());
  EXPECT_EQ(123456.78901234567, token_value[3]);
}

TEST_F(LineScan, SearchStopsAtItsBoundAndKeepsThePosition) {
  open_report("a\nb\nc\nd\nMARK\n");
  scan_count = 0;
  EXPECT_FALSE(find_line_with("MARK", 3));
  EXPECT_EQ(3, scan_count);
  read_line();
  EXPECT_EQ("d\n", line());  // the next search goes on from here
  EXPECT_TRUE(find_line_with("MARK", 3));
}

TEST_F(LineScan, SearchStopsAtTheEndInsteadOfSpinningToItsBound) {
  open_report("a\nb\n");
  scan_count = 0;
  EXPECT_FALSE(find_line_with("MARK", 2000000));
  EXPECT_EQ(3, scan_count);
  // At the end the unchanged last line is tested once more, as every later turn would test it.
  open_report("a\nMARK\n");
  read_line();
  read_line();
  read_line();
  scan_count = 0;
  EXPECT_TRUE(find_line_with("MARK", 10));
  EXPECT_EQ(0, scan_count);
}
