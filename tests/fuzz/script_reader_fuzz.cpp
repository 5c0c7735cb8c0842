// Feeds arbitrary bytes to the script player as "TAVRO.SCR" and reads every event from it.
// The file is written in the current directory: run the fuzzer from a scratch folder.
#include "package_state.h"
#include "script.h"

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

    close_script_file();
    package_state.script.periodic_count = 0;
    package_state.script.playback = true;
    for (int reads = 0; reads < MAX_READS && read_script_event(); ++reads) {
        const int kind = package_state.event.kind;
        if (kind != event_mouse && kind != event_keyboard && kind != event_periodic) {
            std::abort();
        }
    }
    close_script_file();
    return 0;
}
