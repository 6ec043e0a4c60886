#include "support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_support {

const char *const OUTPUT_NAMES[7] = {"fn.out",     "mass.out",     "mem.out",       "pf.out",
                                     "fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"};

namespace {

// A name under the temporary folder that nothing else uses yet.
std::filesystem::path unique_path(const char *prefix) {
  static std::mt19937_64 random(std::random_device{}());
  for (;;) {
    auto path = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (!std::filesystem::exists(path)) return path;
  }
}

}  // namespace

ScratchDir::ScratchDir() {
  std::filesystem::path folder = unique_path("modalyx-test-");
  while (!std::filesystem::create_directory(folder)) folder = unique_path("modalyx-test-");
  path = folder.string();
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string &path, const std::string &text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

bool file_exists(const std::string &path) { return std::filesystem::exists(std::filesystem::symlink_status(path)); }

std::string from_text_mode(std::string text) {
#ifdef _WIN32
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
  return plain;
#else
  return text;
#endif
}

std::string read_output(const std::string &path) { return from_text_mode(read_file(path)); }

#ifdef _WIN32

RunResult run_program(const std::string &dir, const std::string &input, const RunOptions &) {
  std::string input_path = unique_path("modalyx-stdin-").string();
  std::string output_path = unique_path("modalyx-stdout-").string();
  write_file(input_path, input);
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE in = CreateFileA(input_path.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, nullptr);
  HANDLE out = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = in;
  start.hStdOutput = out;
  start.hStdError = out;
  PROCESS_INFORMATION process{};
  std::string command = std::string("\"") + MODALYX_EXE + "\"";
  RunResult result;
  // Without a console of its own, as in a script: the key wait ends at once.
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, dir.c_str(), &start,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(in);
  CloseHandle(out);
  result.output = read_output(output_path);
  std::remove(input_path.c_str());
  std::remove(output_path.c_str());
  return result;
}

#else

RunResult run_program(const std::string &dir, const std::string &input, const RunOptions &options) {
  // Standard input comes from a file of its own beside the folder, so parallel tests never share one.
  std::string input_path = unique_path("modalyx-stdin-").string();
  write_file(input_path, input);
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe failed");
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    int in = open(input_path.c_str(), O_RDONLY);
    for (const std::string &entry : options.environment) putenv(const_cast<char *>(entry.c_str()));
    if (options.unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
    if (in < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out[1], 1);
    close(out[0]);
    execl(MODALYX_EXE, MODALYX_EXE, static_cast<char *>(nullptr));
    _exit(127);
  }
  close(out[1]);
  RunResult result;
  char chunk[65536];
  for (ssize_t n; (n = read(out[0], chunk, sizeof chunk)) > 0;)
    result.output.append(chunk, static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::remove(input_path.c_str());
  return result;
}

#endif

std::string banner() {
  return "\n\n modalyx  ver 1.6    August 17, 2007"
         "\n\n by the modalyx developers  \n Email: modalyx@example.org \n"
         "\n\n The input file is a NE/Nastran output file \n"
         " from a SOL SEMODES analysis. \n"
         "\n\n Enter the *.out filename \n";
}

std::string full_transcript(const std::string &report_name, const std::string &passes) {
  std::string t = banner() + "\n File: " + report_name + " opened. \n";
  for (const char *name : OUTPUT_NAMES) t += std::string(" File: ") + name + " opened. \n";
  t += passes;
  t += "\n Output Files \n";
  for (const char *name : OUTPUT_NAMES) t += std::string("\n ") + name + " ";
  t += "\n\n press any key to continue \n";
  return t;
}

Outcome run_report(const std::string &report) {
  ScratchDir dir;
  write_file(dir / "r.out", report);
  RunResult r = run_program(dir.path, "r.out\n");
  Outcome o;
  o.status = r.status;
  o.console = r.output;
  for (const char *name : OUTPUT_NAMES) o.files[name] = file_exists(dir / name) ? read_output(dir / name) : "(missing)";
  return o;
}

int occurrences(const std::string &text, const std::string &part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string source_path(const std::string &relative) { return std::string(MODALYX_SOURCE_DIR) + "/" + relative; }

}  // namespace testing_support
