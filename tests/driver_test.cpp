// The dialogue and the file table, run as a process the way a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support.h"

using namespace testing_support;

namespace {

// The console lines of the four passes on a report that holds none of the sections.
const std::string NO_SECTIONS = "\n ref 1 \n\n\n ref 2 \n\n\n in pf \n\n ref 3 \n\n\n ref 4 \n\n\n\n";

struct Refused {
  const char *what;
  std::string input;
  std::string message;
};

}  // namespace

TEST(Driver, RefusedBeforeAnyOutputIsCreated) {
  std::string long_name(300, 'n');
  const Refused cases[] = {
      {"missing report", "nothere.out\n", "\n Failed to open file: nothere.out \n"},
      {"no word typed", "  \n", "\n Failed to open file:  \n"},
      {"report is a folder", "folder\n", "\n Failed to open file: folder \n"},
      {"name too long", long_name + "\n", " File name too long: more than 259 characters \n"},
  };
  for (const Refused &c : cases) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "folder");
    RunResult r = run_program(dir.path, c.input);
    EXPECT_EQ(1, r.status) << c.what;
    EXPECT_EQ(banner() + c.message, r.output) << c.what;
    for (const char *name : OUTPUT_NAMES) EXPECT_FALSE(file_exists(dir / name)) << c.what << ": " << name;
  }
}

TEST(Driver, OutputThatCannotBeCreatedStopsTheRun) {
  ScratchDir dir;
  write_file(dir / "r.out", "nothing here\n");
  std::filesystem::create_directory(dir / "pf.out");  // unwritable even for root
  RunResult r = run_program(dir.path, "r.out\n");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(banner() +
                "\n File: r.out opened. \n File: fn.out opened. \n File: mass.out opened. \n File: mem.out opened. \n"
                " Failed to open file: pf.out \n",
            r.output);
  for (const char *name : {"fn.out", "mass.out", "mem.out"}) {
    EXPECT_TRUE(file_exists(dir / name)) << name;
    EXPECT_EQ("", read_output(dir / name)) << name;
  }
  for (const char *name : {"fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"}) EXPECT_FALSE(file_exists(dir / name));
}

TEST(Driver, ReportWithoutSectionsGivesSevenEmptyFiles) {
  ScratchDir dir;
  write_file(dir / "r.out", " \n  some other output\n TOTAL 3\n");
  for (const char *name : OUTPUT_NAMES) write_file(dir / name, "old contents\n");  // truncated by the run
  RunResult r = run_program(dir.path, "  r.out  ignored words\n");
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(full_transcript("r.out", NO_SECTIONS), r.output);
  for (const char *name : OUTPUT_NAMES) EXPECT_EQ("", read_output(dir / name)) << name;
}

#ifndef _WIN32
// A full disk must never pass for success: every output that receives lines is tried.
TEST(Driver, FailedWriteIsNamedAndTheRunFails) {
  for (const char *name : OUTPUT_NAMES) {
    ScratchDir dir;
    write_file(dir / "r.out", read_file(source_path("examples/bracket.out")));
    ASSERT_EQ(0, symlink("/dev/full", (dir / name).c_str()));
    RunResult r = run_program(dir.path, "r.out\n");
    EXPECT_EQ(1, r.status) << name;
    EXPECT_EQ(1, [&] {
      int n = 0;
      for (auto at = r.output.find(" Failed to write file: "); at != std::string::npos;
           at = r.output.find(" Failed to write file: ", at + 1))
        ++n;
      return n;
    }()) << name;
    EXPECT_NE(std::string::npos, r.output.find(std::string(" Failed to write file: ") + name + " \n")) << name;
    EXPECT_NE(std::string::npos, r.output.find("press any key")) << name;
  }
}
#endif
