// INI access: every file of the program is read and written one key at a time through here.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrv {

// Returns the value of [section] key with its surrounding blanks removed, cut to
// bufferSize - 1 characters (code points). Names match without regard to ASCII case.
// A missing file, section or key gives "". Text is UTF-8; files may be UTF-8 (with or
// without BOM) or UTF-16LE with BOM.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          size_t bufferSize);

// Writes one key, creating the file, section or key as needed and replacing an existing
// key where it stands; every other byte of the file stays as it was, and the file keeps
// its encoding. The new content is written to a temporary file in the same folder and
// renamed into place, so a failed write leaves the old file whole. Writes of all threads
// are serialized. Returns false on failure (callers may ignore it).
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// Several keys of one section in one file write; the result is the same as writing
// them one by one in this order.
bool WriteIniStrings(const std::string& path, std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& keyValues);

// Like the C run-time's _wtoi: leading white space, an optional sign, decimal digits up
// to the first other character; no digits gives 0. Overflow wraps like a 32-bit int.
int32_t ParseIntLikeWtoi(std::string_view text);

// A parsed file for callers that read many keys at once (one parse instead of one per key).
class IniSnapshot {
public:
    explicit IniSnapshot(const std::string& path);
    // Keeps only the named section: cheaper when a caller reads one section of a big file.
    IniSnapshot(const std::string& path, std::string_view onlySection);
    std::string Read(std::string_view section, std::string_view key, size_t bufferSize) const;

private:
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

}  // namespace zrv
