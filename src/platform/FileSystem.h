#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Paths are UTF-8 with '/' separators.
namespace FileSystem {

// -1 when the file does not exist or is not a regular file.
int64_t FileLength(const std::string& path);

// What tells one version of a file from another: a write, a change of its permissions or a new file
// under the same name changes it.
struct FileStamp {
    int64_t size = 0;
    int64_t modified = 0;
    int64_t changed = 0;
    uint64_t inode = 0;

    bool operator==(const FileStamp&) const = default;
};
// nullopt when the file does not exist or is not a regular file.
std::optional<FileStamp> Stamp(const std::string& path);
// At most maxBytes are read; nullopt when the file cannot be opened or read.
std::optional<std::string> ReadFile(const std::string& path, int64_t maxBytes = INT64_MAX);
bool WriteFile(const std::string& path, std::string_view bytes);
bool RemoveFile(const std::string& path);
// The folder of the running executable, ending in '/'.
std::string ExecutableDir();

} // namespace FileSystem
