// The .HEX export: the satellite's frames, escapes removed, one frame text a
// line, each line ended by CR LF, written to the capture's export path.
#pragma once

#include <string>

#include "capture/decoder_state.h"

namespace krvl2 {

// Writes every entry of state.SatelliteFrames to state.HexExportPath.
// Throws the failure of creating, writing or closing the file.
void WriteHexFile(const DecoderState& state);

// What the path line shows after a successful export: " Writing " and the
// export file's name.
std::string exportNotice(const std::string& hexExportPath);

}  // namespace krvl2
