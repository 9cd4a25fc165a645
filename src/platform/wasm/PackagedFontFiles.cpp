#include "platform/FileSystem.h"
#include "platform/FontFiles.h"

#include <stdexcept>

namespace {

// The page carries the desktop build's two font files (see cmake/WebBuild.cmake); the Node program
// sees the real file system, where Debian's font packages put them.
const char* const Proportional[] = {"/fonts/monapo.ttf", "/usr/share/fonts/truetype/monapo/monapo.ttf"};
const char* const Fixed[] = {"/fonts/ipag.ttf", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"};

template <size_t N> std::string FirstPresent(const char* const (&paths)[N])
{
    for (const char* path : paths) {
        if (FileSystem::FileLength(path) > 0)
            return path;
    }
    throw std::runtime_error(std::string("The font file ") + paths[0] + " is missing.");
}

} // namespace

std::array<FontFile, 2> GothicFontFiles()
{
    return {FontFile{FirstPresent(Proportional), 0}, FontFile{FirstPresent(Fixed), 0}};
}
