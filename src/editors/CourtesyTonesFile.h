// The Courtesy tones category: the pool of ten tones, parameters 20..179, in
// the sections "Courtesy_Tone_1".."Courtesy_Tone_10".
//
// Field f (0..15) of tone t (0..9) is parameter 20 + t + 10 x f: the four
// segment delays come first, then the four durations, the four first
// frequencies and the four second frequencies.
#pragma once

#include <span>
#include <string>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int CourtesyToneCount = 10;
inline constexpr int CourtesyToneFieldCount = 16;
inline constexpr ParameterNumber FirstCourtesyToneNumber = 20;

// The parameter of field 0..15 of tone 0..9.
constexpr ParameterNumber CourtesyToneNumber(int tone, int field) {
  return FirstCourtesyToneNumber + tone + CourtesyToneCount * field;
}

// "Courtesy_Tone_1".."Courtesy_Tone_10" for tone 0..9.
std::string CourtesyToneSection(int tone);

// The sixteen keys of a tone's section in field order (f = 0..15), in load and
// save order; a row's offset is 10 x f, from the base 20 + tone.
std::span<const NumberKey> CourtesyToneKeys();

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* CourtesyTonesProgress;

// Reads the 160 keys (missing ones take their defaults) into the store.
void LoadCourtesyTonesFromDataFile();
// Writes the 160 keys; the result says whether the file could be written.
SaveResult SaveCourtesyTonesToDataFile();

}  // namespace ostrin
