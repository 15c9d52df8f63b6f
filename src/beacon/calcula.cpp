#include "beacon/calcula.h"

namespace krvl2 {

// Not decoding yet.
void calcula(const DecoderState&, const LocaleSettings&, DisplayLines&) {}

}  // namespace krvl2
