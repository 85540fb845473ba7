// Copying a file's bytes from one descriptor to another, by the kernel where it can.
#pragma once

#include <sys/stat.h>

#include <cstddef>

namespace quorvel::platform::posix {

// Copies everything from the current offset of `from` to `to`: copy_file_range first (the
// kernel copies, or shares the blocks, without the data passing through the process), read
// and write in large chunks where the file systems cannot do that. A file with holes, read
// from its start, is copied as cp copies it: its data only, so the holes stay holes. 0 or an
// errno value. `fromStatus` is what fstat gave for `from`.
int CopyFileData(int from, const struct stat& fromStatus, int to);

// Copies a small file of `size` bytes (as fstat gave it) through `buffer`, of at least that
// size, whose first `*copied` bytes then are what was written: read to `size` bytes or the
// end, then written in one call. 0 or an errno value.
int CopyFileDataThroughMemory(int from, char* buffer, std::size_t size, int to,
                              std::size_t* copied);

// The read and write way alone.
int CopyFileDataByReadWrite(int from, int to);

// Writes all of `size` bytes; 0 or an errno value.
int WriteAll(int to, const char* data, std::size_t size);

}  // namespace quorvel::platform::posix
