#include "platform/FolderStore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Writes all of bytes to a new file and forces it to the disk: a rename over the old record must
// never publish a file whose blocks are not yet written.
bool WriteDurably(const std::string& path, std::string_view bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    if (!synced)
        error = std::strerror(errno);
    return ::close(fd) == 0 && synced;
}

// The rename itself is made durable by syncing the folder; a failure here loses nothing.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FolderStore::FolderStore(std::string folder) : folder_(std::move(folder))
{
    if (!folder_.empty() && folder_.back() == '/')
        folder_.pop_back();
}

std::string FolderStore::Path(const std::string& name) const
{
    return folder_ + "/" + name;
}

std::string FolderStore::Where(const std::string& name) const
{
    return Path(name);
}

RecordStore::Read FolderStore::Load(const std::string& name)
{
    Read read;
    const std::string path = Path(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return read;
    read.exists = true;
    if (!S_ISREG(info.st_mode)) {
        read.unreadable = true;
        return read;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        read.unreadable = true;
        return read;
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        read.bytes.append(buffer, n);
    read.unreadable = std::ferror(file) != 0;
    std::fclose(file);
    return read;
}

bool FolderStore::Save(const std::string& name, std::string_view bytes, std::string& error)
{
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    const std::string path = Path(name);
    const std::string temporary = path + ".new";
    if (!WriteDurably(temporary, bytes, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder_);
    return true;
}

bool FolderStore::Remove(const std::string& name)
{
    const std::string path = Path(name);
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::string FolderStore::SetAside(const std::string& name)
{
    const std::string path = Path(name);
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = name + ".bad" + (n > 1 ? "-" + std::to_string(n) : "");
        struct stat info {};
        if (::lstat(Path(aside).c_str(), &info) == 0)
            continue;
        if (::rename(path.c_str(), Path(aside).c_str()) != 0)
            return "";
        SyncFolder(folder_);
        return aside;
    }
    return "";
}
