// Linked into every benchmark: the figures are taken with the memory settings
// the programs run with, and a benchmark does not run without them.
#include <cstdio>
#include <cstdlib>

#include "host/process_memory.h"

namespace {

const bool kProgramMemory = [] {
  if (!qj::host::KeepFreedMemoryForReuse()) {
    std::fputs("the allocator refused the programs' memory settings; the figures would not be theirs\n", stderr);
    std::exit(2);
  }
  return true;
}();

}  // namespace
