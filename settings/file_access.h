// The two ways the game touches its files: a bounded read of a regular file
// (settings, records, sounds) and a save that replaces the old file only once
// the new one is wholly on disk (settings, records).
#pragma once

#include <cstddef>
#include <string>

namespace zenko {

enum class ReadStatus {
    Ok,
    Missing,     // no such file
    Unreadable,  // not a regular file (folder, FIFO, device) or a read error
    TooLarge,    // more than the limit: bytes holds the first `limit` of them
};

// Reads a regular file, at most `limit` bytes. Never blocks on a FIFO and
// never reads a device, however the path leads there.
ReadStatus read_regular_file(const std::string& path, std::size_t limit, std::string& bytes);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target. False, with the old file untouched, when
// any step fails, or when the target is there but is no regular file or may
// not be written.
bool write_file_atomically(const std::string& path, const std::string& bytes);

// Appends the bytes to an existing regular file and flushes them to disk.
// False when the file is not there (nothing is made) or any step fails; a
// failed append may leave part of the bytes at the end.
bool append_to_file(const std::string& path, const std::string& bytes);

}  // namespace zenko
