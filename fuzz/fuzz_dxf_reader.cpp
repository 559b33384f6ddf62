// Fuzz target: the DXF reader (and, for what it accepts, both writers).
#include "fuzz_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::readWriteRead(data, size, fuzz::Format::kDxf);
    return 0;
}
