#include "shell/DataFolder.h"

#include "platform/FileSystem.h"

namespace {

std::string WithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

bool HoldsData(const std::string& dir)
{
    return FileSystem::FileLength(dir + "card.dat") >= 0;
}

} // namespace

std::string DataFolder(const std::string& programDir)
{
    const std::string own = WithSlash(programDir);
    if (HoldsData(own))
        return own;
    // Where the install rules put the data, as seen from where they put the program.
    const std::string installed = WithSlash(own + PAKAPONTA_INSTALLED_DATA);
    return HoldsData(installed) ? installed : own;
}
