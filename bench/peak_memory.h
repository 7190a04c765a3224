// The process's peak resident memory so far, for the benchmarks' memory budgets.
#pragma once

#include <sys/resource.h>

namespace qj::bench {

inline double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace qj::bench
