#include "platform/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

namespace FileSystem {

int64_t FileLength(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return -1;
    const auto size = fs::file_size(path, error);
    return error ? -1 : static_cast<int64_t>(size);
}

std::optional<FileStamp> Stamp(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    auto nanoseconds = [](const timespec& t) {
        return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    };
    return FileStamp{static_cast<int64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
                     static_cast<uint64_t>(info.st_ino)};
}

std::optional<std::string> ReadFile(const std::string& path, int64_t maxBytes)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (maxBytes > static_cast<int64_t>(bytes.size())) {
        const int64_t wanted =
            std::min<int64_t>(sizeof buffer, maxBytes - static_cast<int64_t>(bytes.size()));
        in.read(buffer, wanted);
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (in.gcount() < wanted)
            break;
    }
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool WriteFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool RemoveFile(const std::string& path)
{
    std::error_code error;
    return fs::remove(path, error);
}

std::string ExecutableDir()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace FileSystem
