#pragma once

#include "datastore/filehooks.h"

#include <vector>

// One table file held in memory; every lock is granted. Writes are counted,
// and a write that would grow the file past 16 MiB fails with EFBIG, so an
// absurd header cannot run the fuzzer out of memory.
FileHooks memoryFile(std::vector<unsigned char> &file, int &writes);
