// The .HEX export: the satellite's frames, escapes removed, one frame text a
// line, each line ended by CR LF, written to the capture's export path.
//
// The file is never written in place. The lines go to a new file beside it,
// and only a new file that was written, flushed to disk and closed without a
// single error is renamed over the old one; any failure removes the new file,
// so an earlier .HEX file survives a full disk or a vanished directory whole.
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
