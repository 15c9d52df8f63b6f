// Decodes the selected frame into the reception-time line and the beacon lines.
//
// The n-th time-stamp record of a capture belongs to its n-th satellite frame,
// purely by position. The lines are written one step at a time, so a frame
// too short for a field stops the decode there: the lines before keep their
// new texts, the rest keep their old ones.
#pragma once

#include <cstdint>

#include "beacon/display_lines.h"
#include "beacon/locale_settings.h"
#include "capture/decoder_state.h"

namespace krvl2 {

// Decodes frame number state.SelectedFrame (from 1) and its time-stamp record
// into `lines`: Label20, Label3, Label6 to Label19 and Label21, and the
// visibility of the beacon lines by the beacon's mode. Throws the conversion
// error (a Failure) at the first field the frame does not hold, with the lines
// of the earlier steps written.
void calcula(const DecoderState& state, const LocaleSettings& locale, DisplayLines& lines);

// What a step of the frame selector does once it has its new position:
// SelectedFrame becomes the position, Label1 its decimal text, then calcula.
void selectFrame(DecoderState& state, std::int32_t position, const LocaleSettings& locale, DisplayLines& lines);

}  // namespace krvl2
