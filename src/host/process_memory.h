// How the programs' memory allocator treats memory the program has freed.
#pragma once

namespace qj::host {

// Keeps freed memory inside the process for the next report or posting
// instead of handing it back to the system after each one. By default the C
// library unmaps every large block (a ledger's rows, a month's sums) when it
// is freed and shrinks the heap as soon as its free top passes a few hundred
// kilobytes, so running the same ledger again faults every page back in one
// by one; on a virtual machine such a fault costs several microseconds, and a
// general ledger of the whole chart spent two thirds of its time in them.
// Returns false when the allocator refused the settings (or has none); the
// program runs on, only slower.
bool KeepFreedMemoryForReuse();

}  // namespace qj::host
