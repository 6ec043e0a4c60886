// Helpers shared by the tests: scratch folders, whole files, and running the built program.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;
  std::string path;
  std::string operator/(const std::string &name) const { return path + "/" + name; }
};

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &text);
bool file_exists(const std::string &path);

// An output file as the program wrote it: on Windows, text mode wrote CR LF for each line feed.
std::string read_output(const std::string &path);
std::string from_text_mode(std::string text);

struct RunResult {
  int status = -1;     // exit status, or -1 when the program did not exit normally
  std::string output;  // everything it wrote to standard output
};

struct RunOptions {
  bool unprivileged = false;             // when run as root, run the program as nobody, so modes count
  std::vector<std::string> environment;  // extra NAME=VALUE entries
};

// Runs the built program in folder dir with the given standard input, in a session of its own so
// that it has no controlling terminal.
RunResult run_program(const std::string &dir, const std::string &input, const RunOptions &options = {});

// One run on a report given as text: the exit status, the console and the seven output files.
struct Outcome {
  int status = -1;
  std::string console;
  std::map<std::string, std::string> files;  // by output name; a missing file reads as "(missing)"
};
Outcome run_report(const std::string &report);

// The seven output names in slot order.
extern const char *const OUTPUT_NAMES[7];

// The console transcript of a run that opened every file, with the passes' own lines in between.
std::string full_transcript(const std::string &report_name, const std::string &passes);

// What the program prints before the report's name is typed, credit lines included.
std::string banner();

// How often part occurs in text.
int occurrences(const std::string &text, const std::string &part);

// A path in the source tree.
std::string source_path(const std::string &relative);

}  // namespace testing_support
