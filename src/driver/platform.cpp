// Every call that differs between Windows and POSIX lives here: file modes, the console, the key
// wait and two byte searches that only the C libraries of POSIX systems provide.
#include "driver/platform.h"

#include <array>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace modalyx {
namespace {

std::array<char, 1 << 16> stdout_buffer;  // standard output when it is a file or a pipe

#ifndef _WIN32
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
#endif

}  // namespace

// Files: the report and re-read files without newline translation, outputs in text mode, so that on
// Windows each line feed written becomes CR LF. A folder is no report.
std::FILE *open_report(const char *name) {
  std::FILE *f = std::fopen(name, "rb");
#ifndef _WIN32
  struct stat st {};
  if (f != nullptr && fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
#endif
  return f;
}

std::FILE *open_output(const char *name) { return std::fopen(name, "w"); }

std::FILE *open_reading(const char *name) { return std::fopen(name, "rb"); }

#ifdef _WIN32

const char *find_bytes(const char *text, std::size_t length, const char *needle, std::size_t needle_length) {
  if (needle_length == 0) return text;
  if (length < needle_length) return nullptr;
  const char *last = text + (length - needle_length);
  for (const char *p = text; p <= last; ++p) {
    p = static_cast<const char *>(std::memchr(p, needle[0], static_cast<std::size_t>(last - p) + 1));
    if (p == nullptr) return nullptr;
    if (std::memcmp(p + 1, needle + 1, needle_length - 1) == 0) return p;
  }
  return nullptr;
}

const char *find_last_byte(const char *text, std::size_t length, char c) {
  for (const char *p = text + length; p != text;)
    if (*--p == c) return p;
  return nullptr;
}

bool stdout_is_console() { return _isatty(_fileno(stdout)) != 0; }

// Raw console input events: nothing is echoed and the console's mode is never changed, so there is
// nothing to restore when the user interrupts the wait.
void wait_for_key() {
  HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  INPUT_RECORD record;
  DWORD count = 0;
  if (GetConsoleMode(in, &mode)) {
    while (ReadConsoleInputA(in, &record, 1, &count) && count == 1) {
      if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
      WORD key = record.Event.KeyEvent.wVirtualKeyCode;
      if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_CAPITAL || key == VK_NUMLOCK ||
          key == VK_SCROLL || key == VK_LWIN || key == VK_RWIN)
        continue;  // modifier keys alone are no key press
      break;
    }
  }
  CloseHandle(in);
}

#else

const char *find_bytes(const char *text, std::size_t length, const char *needle, std::size_t needle_length) {
  return static_cast<const char *>(memmem(text, length, needle, needle_length));
}

const char *find_last_byte(const char *text, std::size_t length, char c) {
  return static_cast<const char *>(memrchr(text, c, length));
}

bool stdout_is_console() { return isatty(STDOUT_FILENO) != 0; }

// The controlling terminal, not standard input, in non-canonical mode without echo.
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

#endif

void setup_console() {
  if (stdout_is_console())
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  else
    std::setvbuf(stdout, stdout_buffer.data(), _IOFBF, stdout_buffer.size());
}

}  // namespace modalyx
