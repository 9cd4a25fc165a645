#include "platform/FolderStore.h"

#include <cstdlib>

std::unique_ptr<RecordStore> OpenPlayerStore()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    // The base directory specification ignores a relative path.
    if (data != nullptr && data[0] == '/')
        return std::make_unique<FolderStore>(std::string(data) + "/pakaponta");
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        return nullptr;
    return std::make_unique<FolderStore>(std::string(home) + "/.local/share/pakaponta");
}
