// measure INPUT COMMAND [ARGS...]: runs the command with standard input from INPUT ("-" for none)
// and standard output discarded, without a terminal, and prints its wall time in seconds and its
// peak resident memory in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fputs("usage: measure INPUT COMMAND [ARGS...]\n", stderr);
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    int in = std::strcmp(argv[1], "-") == 0 ? open("/dev/null", O_RDONLY) : open(argv[1], O_RDONLY);
    int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) < 0) return 1;
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.4f %ld\n", seconds, usage.ru_maxrss);
  return WIFEXITED(status) && WEXITSTATUS(status) == 127 ? 1 : 0;
}
