#include "platform/desktop/first_frame_report.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The process's start in milliseconds since boot, from field 22 of /proc/self/stat
// (counted in clock ticks, so good to about 10 ms); -1 when it cannot be read.
long long ProcessStartMs() {
  std::ifstream file("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // The program's name, field 2, is in parentheses and may itself hold blanks.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  for (int i = 3; i < 22; ++i) fields >> field;
  long long ticks = -1;
  if (!(fields >> ticks)) return -1;
  return ticks * 1000 / sysconf(_SC_CLK_TCK);
}

}  // namespace

void ReportFirstFrame() {
  if (!std::getenv("TUMBRA_REPORT_FIRST_FRAME")) return;
  const long long start = ProcessStartMs();
  timespec now{};
  if (start < 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return;
  const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  std::fprintf(stderr, "first frame %lld ms\n", nowMs - start);
}
