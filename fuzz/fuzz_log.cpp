// libFuzzer target: arbitrary bytes as a log file, through loading, rendering,
// the statistics pass and every report the statistics window can show,
// unlinked and linked. A broken property aborts, so the fuzzer keeps the input.

#include "fuzz/log_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broke =
        quorvath::fuzz::checkLogBytes({reinterpret_cast<const char*>(data), size});
    if (!broke.empty()) {
        std::fprintf(stderr, "fuzz_log: %s\n", broke.c_str());
        std::abort();
    }
    return 0;
}
