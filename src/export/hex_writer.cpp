#include "export/hex_writer.h"

namespace krvl2 {

// Not writing yet.
void WriteHexFile(const DecoderState&) {}

std::string exportNotice(const std::string& hexExportPath) {
  return " Writing " + hexExportPath.substr(hexExportPath.find_last_of('/') + 1);
}

}  // namespace krvl2
