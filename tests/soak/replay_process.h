#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// tumbra-replay running in a folder of its own, fed its script a line at a time on
// standard input while its output is read back, so that the next line can depend on
// what the game just did. Its error output goes to a file in that folder.
class ReplayProcess {
 public:
  ReplayProcess(const std::string& program, const std::string& folder);
  ~ReplayProcess();
  ReplayProcess(const ReplayProcess&) = delete;
  ReplayProcess& operator=(const ReplayProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // False when the program no longer reads its script.
  bool Send(const std::string& lines);
  // The next output line without its line end; false at the end of the output or when
  // nothing comes for timeoutMs (a game that hangs).
  bool ReadLine(std::string& line, int timeoutMs);
  // Ends the script, which closes the game's window, collects what the program still
  // prints and waits for it: its exit status, or -1 when it did not end normally or
  // within timeoutMs.
  int Finish(std::vector<std::string>& lastLines, int timeoutMs);

 private:
  int Wait();

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string pending_;
  bool outputEnded_ = false;
};
