#include "host/process_memory.h"

#include <cstdlib>  // defines __GLIBC__ when the C library is glibc
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qj::host {

bool KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks up to 32 MB (the largest the C library allows here) come from the
  // heap, where a freed block is reused, instead of a mapping of their own.
  constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
  // Up to 128 MB free at the top of the heap stay mapped; what the biggest
  // reports free beyond that goes back to the system.
  constexpr int kFreeTopKept = 128 * 1024 * 1024;
  const bool blocks = mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 1;
  const bool top = mallopt(M_TRIM_THRESHOLD, kFreeTopKept) == 1;
  return blocks && top;
#else
  return false;
#endif
}

}  // namespace qj::host
