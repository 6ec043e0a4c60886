// The closing key wait, with a real pseudo-terminal as the program's controlling terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support.h"

using namespace testing_support;

namespace {

struct Terminal {
  int master = -1;
  int slave = -1;  // the test's own view of the terminal, to read its mode
  std::string slave_name;
  Terminal() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    slave_name = ptsname(master);
    slave = open(slave_name.c_str(), O_RDWR | O_NOCTTY);
  }
  ~Terminal() {
    close(slave);
    close(master);
  }
  tcflag_t local_modes() const {
    struct termios t {};
    tcgetattr(slave, &t);
    return t.c_lflag;
  }
  // Bytes the terminal shows, read without waiting.
  std::string shown() const {
    std::string text;
    char chunk[256];
    while (poll(std::array<pollfd, 1>{{{master, POLLIN, 0}}}.data(), 1, 50) > 0) {
      ssize_t n = read(master, chunk, sizeof chunk);
      if (n <= 0) break;
      text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
  }
};

// Starts the program with the terminal as its controlling terminal and output to a file, and waits
// until it has put the terminal into its key-wait mode.
pid_t start_waiting(const Terminal &terminal, const ScratchDir &dir) {
  write_file(dir / "r.out", "nothing\n");
  write_file(dir / "input", "r.out\n");
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    int tty = open(terminal.slave_name.c_str(), O_RDWR);
    ioctl(tty, TIOCSCTTY, 0);
    int in = open((dir / "input").c_str(), O_RDONLY);
    int out = open((dir / "console").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (tty < 0 || in < 0 || out < 0 || chdir(dir.path.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    close(tty);
    execl(MODALYX_EXE, MODALYX_EXE, static_cast<char *>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 500 && (terminal.local_modes() & ICANON) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return pid;
}

}  // namespace

TEST(KeyWait, OneKeyWithoutEchoAndTheModeComesBack) {
  Terminal terminal;
  ScratchDir dir;
  ASSERT_NE(0u, terminal.local_modes() & ECHO);
  pid_t pid = start_waiting(terminal, dir);
  EXPECT_EQ(0u, terminal.local_modes() & (ICANON | ECHO));
  ASSERT_EQ(1, write(terminal.master, "x", 1));
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ("", terminal.shown());  // the key was not echoed
  EXPECT_EQ(ICANON | ECHO, terminal.local_modes() & (ICANON | ECHO));
  EXPECT_NE(std::string::npos, read_file(dir / "console").find("press any key to continue \n"));
}

TEST(KeyWait, ModeComesBackWhenInterrupted) {
  for (int sig : {SIGINT, SIGTERM}) {
    Terminal terminal;
    ScratchDir dir;
    pid_t pid = start_waiting(terminal, dir);
    EXPECT_EQ(0u, terminal.local_modes() & (ICANON | ECHO)) << sig;
    kill(pid, sig);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
    EXPECT_EQ(ICANON | ECHO, terminal.local_modes() & (ICANON | ECHO)) << sig;
  }
}
