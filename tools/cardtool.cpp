// Builds card.dat from its source and turns any card.dat back into that source.
//   cardtool build SOURCE.json OUT/card.dat
//   cardtool dump card.dat            (the source document on standard output)

#include "data/CardFile.h"
#include "data/CardSource.h"
#include "data/FileLoader.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: cardtool build SOURCE.json OUT/card.dat\n"
                 "       cardtool dump card.dat\n";
    return 2;
}

int Build(const std::string& sourcePath, const std::string& outPath)
{
    const std::optional<std::string> json = FileSystem::ReadFile(sourcePath);
    if (!json) {
        std::cerr << sourcePath << ": cannot be read\n";
        return 1;
    }
    CardSource source;
    if (const std::string fault = source.Parse(*json); !fault.empty()) {
        std::cerr << sourcePath << ": " << fault << "\n";
        return 1;
    }
    // A half-written card.dat must not pass for a built one.
    const std::string partPath = outPath + ".part";
    if (!FileSystem::WriteFile(partPath,
                               FileLoader::SerializeCardData(source.cardDefs, source.specialTexts)) ||
        std::rename(partPath.c_str(), outPath.c_str()) != 0) {
        FileSystem::RemoveFile(partPath);
        std::cerr << outPath << ": cannot be written\n";
        return 1;
    }
    return 0;
}

int Dump(const std::string& path)
{
    const std::optional<std::string> bytes = FileSystem::ReadFile(path);
    if (!bytes) {
        std::cerr << path << ": cannot be read\n";
        return 1;
    }
    CardSource source;
    if (!CardFile::Read(*bytes, source.cardDefs, source.specialTexts)) {
        std::cerr << path << ": not a card.dat: it ends inside a record or a text\n";
        return 1;
    }
    if (const std::string fault = source.Check(); !fault.empty())
        std::cerr << path << ": warning: this content breaks the rules: " << fault << "\n";
    if (FileLoader::SerializeCardData(source.cardDefs, source.specialTexts) != *bytes) {
        std::cerr << path
                  << ": warning: the file does not read back byte for byte "
                     "(bytes past the last text, or bytes that are not CP932)\n";
    }
    std::cout << source.Dump();
    return std::cout.good() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "build" && argc == 4)
        return Build(argv[2], argv[3]);
    if (command == "dump" && argc == 3)
        return Dump(argv[2]);
    return Usage();
}
