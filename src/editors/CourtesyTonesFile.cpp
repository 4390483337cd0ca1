#include "editors/CourtesyTonesFile.h"

#include <array>

#include "datafile/Profile.h"

namespace ostrin {

ProgressSink* CourtesyTonesProgress = nullptr;

namespace {

constexpr std::array<NumberKey, CourtesyToneFieldCount> toneKeys{{
    {"Delay_To_Segment1", 0, "500"},
    {"Delay_To_Segment2", 10, "50"},
    {"Delay_To_Segment3", 20, "0"},
    {"Delay_To_Segment4", 30, "0"},
    {"Duration1", 40, "100"},
    {"Duration2", 50, "100"},
    {"Duration3", 60, "0"},
    {"Duration4", 70, "0"},
    {"Tone11", 80, "880"},
    {"Tone12", 90, "450"},
    {"Tone13", 100, "0"},
    {"Tone14", 110, "0"},
    {"Tone21", 120, "880"},
    {"Tone22", 130, "450"},
    {"Tone23", 140, "0"},
    {"Tone24", 150, "0"},
}};

}  // namespace

std::string CourtesyToneSection(int tone) { return NumberedName("Courtesy_Tone_", tone + 1); }

std::span<const NumberKey> CourtesyToneKeys() { return toneKeys; }

void LoadCourtesyTonesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int tone = 0; tone < CourtesyToneCount; ++tone) {
    LoadNumberKeys(CourtesyToneSection(tone), CourtesyToneNumber(tone, 0), toneKeys);
  }
}

SaveResult SaveCourtesyTonesToDataFile() {
  ProfileSession session;
  for (int tone = 0; tone < CourtesyToneCount; ++tone) {
    StepProgress(CourtesyTonesProgress, 9 * tone);
    SaveNumberKeys(CourtesyToneSection(tone), CourtesyToneNumber(tone, 0), toneKeys);
  }
  StepProgress(CourtesyTonesProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
