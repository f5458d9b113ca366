// platform: file writes that never leave a damaged file behind.
// A replacing write goes to a temporary file beside the target, is flushed, then renamed over it:
// an interruption leaves either the old file or the new one.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talpora {

// For tests: make the write fail after this many bytes, as a full disk or an I/O error would.
struct WriteFault {
  std::size_t failAfterBytes = 0;
};

struct WriteResult {
  bool ok = true;
  std::string error;  // what failed and where, for a message; empty when ok
  explicit operator bool() const { return ok; }
};

// Replaces (or creates) `path` with `bytes` atomically. The old file is intact when this fails. The new
// file keeps the old one's mode, a symbolic link is written through to its target, the folder is
// synced after the rename, and temporaries that killed writers of the same file left are removed.
WriteResult replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                  const WriteFault* fault = nullptr);

// Writes `bytes` into an existing file at `offset` (offset -1: at the end) without truncating it,
// creating the file when it does not exist, and syncs it. Used for records inside files of many
// records. A failed write is undone (the old bytes and the old length come back) and reported.
WriteResult writeAt(const std::filesystem::path& path, std::int64_t offset, std::string_view bytes,
                    const WriteFault* fault = nullptr);

// The temporary name used beside `path` while it is being replaced (hidden, per process).
std::filesystem::path temporarySibling(const std::filesystem::path& path);

// For writers that fill temporary siblings themselves: syncs the folder holding `path` (so that a
// rename survives a power cut), and removes the temporaries of `path` that killed writers left.
void syncFolder(const std::filesystem::path& path);
void removeStaleTemporaries(const std::filesystem::path& path);

}  // namespace talpora
