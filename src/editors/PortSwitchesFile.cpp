#include "editors/PortSwitchesFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* PortSwitchesProgress = nullptr;

namespace {

constexpr auto FirstCharOne = KeyFormat::FirstCharOne;

constexpr std::array<NumberKey, 16> switchKeys{{
    {"TxEnable", 0, "1", FirstCharOne},
    {"RxEnable", 1, "1", FirstCharOne},
    {"Repeater_Mode", 2, "1", FirstCharOne},
    {"Speech_Override", 3, "1", FirstCharOne},
    {"Speech_Id_Override", 4, "1", FirstCharOne},
    {"DTMF_Enable", 6, "1", FirstCharOne},
    {"DTMF_Require_Tone", 7, "1", FirstCharOne},
    {"DTMF_Mute", 8, "1", FirstCharOne},
    {"DTMF_Covertone", 9, "1", FirstCharOne},
    {"Monitor_Mix", 10, "1", FirstCharOne},
    {"Kerchunk_Filter", 11, "1", FirstCharOne},
    {"On_During_Id_Speech", 12, "1", FirstCharOne},
    {"Timer_Starts_After", 13, "1", FirstCharOne},
    {"IDTimer_Starts_On", 14, "1", FirstCharOne},
    {"DTMF_Evaluate_On_Close", 17, "1", FirstCharOne},
    {"TONE_Encode_Polarity", 18, "0", FirstCharOne},
}};

constexpr std::array<NumberKey, 2> generalKeys{{
    {"Allow_Speech_With_Terminator", 0, "0", FirstCharOne},
    {"TX_Timer_Units", 1, "0", FirstCharOne},
}};

// A text is recognised by its beginning, so a text with something after the
// word still selects its mode.
constexpr std::string_view carrierPrefix = "Carrier";
constexpr std::string_view toneAndCarrierPrefix = std::string_view("Tone & Carrier").substr(0, 13);

void loadAccessMode(int port) {
  const auto mode = AccessModeFromText(ReadProfileText(PortSection(port), AccessModeKey, AccessModeDefault));
  if (mode) SetValue(1000 * port + AccessModeOffset, *mode);
}

void saveAccessMode(int port) {
  const auto text = AccessModeText(GetValue(1000 * port + AccessModeOffset).current);
  if (text) WriteProfileText(PortSection(port), AccessModeKey, *text);
}

}  // namespace

std::optional<std::int32_t> AccessModeFromText(std::string_view text) {
  if (text.starts_with(carrierPrefix)) return 0;
  if (text.starts_with(toneAndCarrierPrefix)) return 1;
  return std::nullopt;
}

std::optional<std::string_view> AccessModeText(std::int32_t value) {
  if (value < 0 || static_cast<std::size_t>(value) >= AccessModeTexts.size()) return std::nullopt;
  return AccessModeTexts[static_cast<std::size_t>(value)];
}

std::span<const NumberKey> PortSwitchKeys() { return switchKeys; }
std::span<const NumberKey> PortSwitchGeneralKeys() { return generalKeys; }

void LoadPortSwitchesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int port = 1; port <= 3; ++port) {
    loadAccessMode(port);
    LoadNumberKeys(PortSection(port), 1000 * port, switchKeys);
  }
  LoadNumberKeys("General", 0, generalKeys);
}

SaveResult SavePortSwitchesToDataFile() {
  ProfileSession session;
  for (int port = 1; port <= 3; ++port) {
    StepProgress(PortSwitchesProgress, 10 + 30 * (port - 1));
    saveAccessMode(port);
    SaveNumberKeys(PortSection(port), 1000 * port, switchKeys);
  }
  SaveNumberKeys("General", 0, generalKeys);
  StepProgress(PortSwitchesProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
