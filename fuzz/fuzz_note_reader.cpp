// Fuzz target: the drawing readers with the plug-in in the process, so the
// voice note's own filing (binary and DXF) reads whatever the input holds. Built
// twice: fuzz_note_dxf reads the input as DXF, fuzz_note_dwg as a binary drawing.
#include "QkDbVelaTone.h"
#include "arxhost/application.h"
#include "fuzz_drawing.h"

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The application lives as long as the process; its command line is quiet.
    static arxhost::Application app;
    app.setCommandLine([](const std::wstring&) {});
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::readWriteRead(data, size, NOTE_FUZZ_FORMAT);
    return 0;
}
