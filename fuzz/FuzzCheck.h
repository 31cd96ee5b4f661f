// What the fuzz targets share: the entry point that libFuzzer (or the corpus replay)
// calls, and a check that stops the run where a property does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// The input split into fields at each separator byte (the last field runs to the end).
inline std::vector<std::string> Fields(const std::uint8_t *data, std::size_t size,
                                       char separator = '\n') {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (char(data[i]) == separator)
            fields.emplace_back();
        else
            fields.back().push_back(char(data[i]));
    }
    return fields;
}

// A folder of its own under /dev/shm (memory, so saves that flush to disk stay cheap) for
// the targets that write files; made once per run.
std::string ScratchDir();

} // namespace fuzz
