// Decodes the selected frame into the reception-time line and the beacon lines.
#pragma once

#include "beacon/display_lines.h"
#include "beacon/locale_settings.h"
#include "capture/decoder_state.h"

namespace krvl2 {

// Decodes frame number state.SelectedFrame (from 1) and its time-stamp record
// into `lines`. Throws the conversion error at the first field the frame does
// not hold, with the lines of the earlier steps written.
void calcula(const DecoderState& state, const LocaleSettings& locale, DisplayLines& lines);

}  // namespace krvl2
