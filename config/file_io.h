// Whole-file reads and crash-safe whole-file replacement for the INI layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zrv {

// Files beyond this size are refused: no file of the program comes near it.
inline constexpr size_t kMaxIniFileBytes = 64u << 20;

enum class FileReadResult { Ok, Missing, Failed };

// Missing: nothing at the path. Failed: a directory, unreadable or too large.
FileReadResult ReadWholeFile(const std::string& path, std::string& bytes);

// The temporary file a replacement of `path` is written to (same folder, one per process).
std::string TemporaryPathFor(const std::string& path);

// Writes the bytes to TemporaryPathFor(path), flushes them to the disk and renames the
// temporary over `path`, keeping the old file's permission bits. On failure the old file
// is untouched, the temporary removed, and false returned.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zrv
