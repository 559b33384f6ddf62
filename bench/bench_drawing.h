// The benchmark's drawing: voice notes with their reactors and the lines they
// are attached to, written as a DXF file of about 160 MB.
#pragma once
#include <string>

namespace bench {
// Writes the drawing to path: `notes` VELATONE notes (class QkDbVelaTone) of
// `bytes` sound bytes each in 127-byte binary chunks, each with an extension
// dictionary holding a VelaTonePsReactor object under "VELATONEASSOC", and as
// many lines, each carrying its note's reactor object as a persistent reactor.
// Returns false with a message when the file cannot be written.
bool writeDrawing(const std::string& path, int notes, int bytes, std::string& error);
}  // namespace bench
