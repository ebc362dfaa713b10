// libFuzzer target: arbitrary bytes as sof2mp.cfg, through reading the logging
// mode and the log file name and rewriting the mode. A broken property aborts.

#include "fuzz/config_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broke =
        quorvath::fuzz::checkConfigText({reinterpret_cast<const char*>(data), size});
    if (!broke.empty()) {
        std::fprintf(stderr, "fuzz_config: %s\n", broke.c_str());
        std::abort();
    }
    return 0;
}
