#pragma once
// The main of a corpus replay without libFuzzer: every file named, or every file of every
// folder named, goes through a fuzz target once. Exit status 0 when all were read; a memory
// fault or a failed check ends the process under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kes::fuzz {

using SetupFn = void (*)(const std::string& programDir);
using OneInputFn = void (*)(const std::uint8_t* data, std::size_t size);

inline int ReplayMain(int argc, char** argv, const std::string& programDir, SetupFn setup, OneInputFn oneInput)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <input file or folder>...\n", argv[0]);
        return 2;
    }
    setup(programDir);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::vector<std::filesystem::path> inputs;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
        } else {
            inputs.push_back(arg);
        }
        for (const auto& file : inputs) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", file.c_str());
                return 1;
            }
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            oneInput(bytes.data(), bytes.size());
            ++files;
        }
    }
    std::printf("replayed %d inputs\n", files);
    return files > 0 ? 0 : 1;
}

} // namespace kes::fuzz
