#include "platform/FolderStore.h"

#include <cstdlib>

std::unique_ptr<RecordStore> OpenPlayerStore()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is invalid: the freedesktop base directories ignore it.
    if (data != nullptr && data[0] == '/')
        return std::make_unique<FolderStore>(std::string(data) + "/pakaponta");
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        return nullptr;
    return std::make_unique<FolderStore>(std::string(home) + "/.local/share/pakaponta");
}
