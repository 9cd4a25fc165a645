// Writes the CP932 mappings of this system's converter as a C++ source for the web build, whose C
// library has no CP932, so that the page reads and writes every text as the desktop program does.
//   cp932table OUT.cpp

#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void AppendNumbers(std::string& out, const uint16_t* values, size_t count)
{
    char number[16];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(number, sizeof number, "0x%04X,%s", values[i], i % 16 == 15 ? "\n" : " ");
        out += number;
    }
}

std::string Source()
{
    const Cp932Codec::DecodeTable& decoding = Cp932Codec::Decoding();
    std::string out = "// Made by tools/cp932table from the desktop build's converter.\n"
                      "#include \"platform/wasm/Cp932Data.h\"\n\n"
                      "const uint16_t Cp932Data::Single[256] = {\n";
    AppendNumbers(out, decoding.single.data(), 256);
    out += "};\n\nconst uint8_t Cp932Data::LeadRow[256] = {\n";
    std::vector<int> leads;
    for (int b = 0; b < 256; ++b) {
        if (decoding.lead[b])
            leads.push_back(b);
        out += std::to_string(decoding.lead[b] ? leads.size() : 0) + (b % 16 == 15 ? ",\n" : ", ");
    }
    out += "};\n\nconst uint16_t Cp932Data::Pairs[][256] = {\n";
    for (int b : leads) {
        out += "{\n";
        AppendNumbers(out, decoding.pair[b].data(), 256);
        out += "},\n";
    }
    out += "};\n\nconst uint16_t Cp932Data::Encoded[0x10000] = {\n";
    std::vector<uint16_t> encoded(0x10000);
    for (char32_t code = 0; code < 0x10000; ++code)
        encoded[code] = Cp932Codec::Encode(code);
    AppendNumbers(out, encoded.data(), encoded.size());
    out += "};\n";
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: cp932table OUT.cpp\n", stderr);
        return 2;
    }
    if (!FileSystem::WriteFile(argv[1], Source())) {
        std::fprintf(stderr, "cp932table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
