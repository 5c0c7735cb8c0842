// Feeds arbitrary bytes to the script player as "TAVRO.SCR" and reads every event from it.
// The file is written in the current directory: run the fuzzer from a scratch folder.
#include "core/script.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tavro;

namespace {

// Enough reads for any file of the sizes fuzzed, without following a huge periodic run to its end.
constexpr int MAX_READS = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(SCRIPT_FILE_NAME, "wb");
    if (!file) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    // A fresh player for each input, as a new process has it.
    Console text;
    Script script(text);
    Event event;
    for (int reads = 0; reads < MAX_READS && script.play(event); ++reads) {
        if (event.kind != event_mouse && event.kind != event_keyboard && event.kind != event_periodic) {
            std::abort();
        }
    }
    script.close_file();
    return 0;
}
