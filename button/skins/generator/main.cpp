#include "SkinCatalogue.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

// Writes the button's face bitmaps into the folder given as the only argument.
int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    for (const SkinFile &file : skinFiles()) {
        std::ofstream out(folder / file.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(file.bytes.data()),
                  std::streamsize(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", (folder / file.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
