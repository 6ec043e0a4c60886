// POSIX side of the platform calls. A Windows build replaces this file's contents only.
#include "driver/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace modalyx {
namespace {

std::array<char, 1 << 16> stdout_buffer;  // standard output when it is a file or a pipe

// The terminal being waited on and its mode before the wait, for the signal handler.
int tty_fd = -1;
struct termios tty_saved;

constexpr int WAIT_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// An interrupted wait must not leave the user's terminal without echo.
void restore_and_reraise(int sig) {
  if (tty_fd >= 0) tcsetattr(tty_fd, TCSANOW, &tty_saved);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

}  // namespace

std::FILE *open_report(const char *name) {
  std::FILE *f = std::fopen(name, "rb");
  if (f == nullptr) return nullptr;
  struct stat st {};
  if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

std::FILE *open_output(const char *name) { return std::fopen(name, "w"); }

std::FILE *open_reading(const char *name) { return std::fopen(name, "rb"); }

const char *find_bytes(const char *text, std::size_t length, const char *needle, std::size_t needle_length) {
  return static_cast<const char *>(memmem(text, length, needle, needle_length));
}

const char *find_last_byte(const char *text, std::size_t length, char c) {
  return static_cast<const char *>(memrchr(text, c, length));
}

void setup_console() {
  if (isatty(STDOUT_FILENO))
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  else
    std::setvbuf(stdout, stdout_buffer.data(), _IOFBF, stdout_buffer.size());
}

void wait_for_key() {
  int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct termios saved {};
  if (tcgetattr(fd, &saved) != 0) {
    close(fd);
    return;
  }
  tty_saved = saved;
  tty_fd = fd;
  struct sigaction action {};
  action.sa_handler = restore_and_reraise;
  sigemptyset(&action.sa_mask);
  struct sigaction previous[sizeof WAIT_SIGNALS / sizeof WAIT_SIGNALS[0]];
  for (std::size_t i = 0; i < sizeof WAIT_SIGNALS / sizeof WAIT_SIGNALS[0]; ++i)
    sigaction(WAIT_SIGNALS[i], &action, &previous[i]);

  struct termios raw = saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &raw) == 0) {
    char key = 0;
    while (read(fd, &key, 1) < 0 && errno == EINTR) {
    }
    tcsetattr(fd, TCSANOW, &saved);
  }

  for (std::size_t i = 0; i < sizeof WAIT_SIGNALS / sizeof WAIT_SIGNALS[0]; ++i)
    sigaction(WAIT_SIGNALS[i], &previous[i], nullptr);
  tty_fd = -1;
  close(fd);
}

}  // namespace modalyx
