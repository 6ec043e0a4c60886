// Preloaded into the program by a test: after MODALYX_FAIL_READ_AFTER bytes, fread fails as a
// failing disk would (error flag set, EIO).
#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern "C" std::size_t fread(void *buffer, std::size_t size, std::size_t count, std::FILE *stream) {
  using Fread = std::size_t (*)(void *, std::size_t, std::size_t, std::FILE *);
  static auto real = reinterpret_cast<Fread>(dlsym(RTLD_NEXT, "fread"));
  static const char *setting = std::getenv("MODALYX_FAIL_READ_AFTER");
  static long long left = setting != nullptr ? std::atoll(setting) : -1;
  if (left < 0 || size != 1) return real(buffer, size, count, stream);
  if (left == 0) {
    stream->_flags |= _IO_ERR_SEEN;
    errno = EIO;
    return 0;
  }
  std::size_t got =
      real(buffer, 1, count < static_cast<std::size_t>(left) ? count : static_cast<std::size_t>(left), stream);
  left -= static_cast<long long>(got);
  return got;
}
