// Fuzz target: the resource compiler's reading of resource scripts.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "compiler.h"
#include "diagnostic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    char path[] = "/tmp/fuzz-rc-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        unlink(path);
        return 0;
    }
    close(fd);
    try {
        arxrc::compileScript(path, arxrc::Options{});
    } catch (const arxrc::RcError&) {
        // A refused script is an answer; only a crash or a hang is a finding.
    }
    unlink(path);
    return 0;
}
