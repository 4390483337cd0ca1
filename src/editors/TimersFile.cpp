#include "editors/TimersFile.h"

#include "datafile/Profile.h"

namespace ostrin {

ProgressSink* TimersProgress = nullptr;

namespace {

constexpr auto Choice = KeyFormat::Choice;
constexpr auto FirstCharOne = KeyFormat::FirstCharOne;

constexpr std::array<NumberKey, 26> portKeys{{
    {"TOT_Reset_Point", 22, "After COS", Choice, TotResetPointTexts},
    {"Hang_Timer1", 19, "20"},
    {"Hang_Timer2", 20, "20"},
    {"Hang_Timer3", 21, "20"},
    {"Timeout_Timer", 23, "300"},
    {"TOT_Reset_Timer", 24, "20"},
    {"Initial_ID_Timer", 25, "30"},
    {"Pending_ID_Timer", 26, "10"},
    {"DTMF_Mute_Timer", 27, "10"},
    {"Encode_Timer", 28, "10"},
    {"Kerchunk_Timer", 29, "500"},
    {"Kerchunk_Reset_Timer", 30, "60"},
    {"Pending_ID_Speech_Timer", 31, "60"},
    {"DeBounce_Timer", 63, "3"},
    {"Tail_Message_Number", 32, "NONE", Choice, TailMessageNumberTexts},
    {"Tail_Message_Counter1", 33, "100"},
    {"Tail_Message_Counter2", 34, "100"},
    {"Tail_Message_Counter3", 35, "100"},
    {"Tail_Message_Timer1", 36, "0"},
    {"Tail_Message_Timer2", 37, "0"},
    {"Tail_Message_Timer3", 38, "0"},
    {"Tail_Message_Macro_To_Use_Msg1", 39, "90"},
    {"Tail_Message_Macro_To_Use_Msg2", 40, "90"},
    {"Tail_Message_Macro_To_Use_Msg3", 41, "90"},
    {"Inactivity_Timer", 42, "20"},
    {"Inactivity_Timer_Macro_To_Use", 43, "90"},
}};

constexpr std::array<NumberKey, 16> generalKeys{{
    {"Timer_Fan_Timer_All_Tx", 3, "1", FirstCharOne},
    {"TimeOut_Timer_Enable_Link_Control", 5, "0", FirstCharOne},
    {"Timer_Fan_Timer", 2, "10"},
    {"Timer_Speech_Delay_Tx", 4, "750"},
    {"General_Timer1_Time", 12, "0"},
    {"General_Timer2_Time", 13, "0"},
    {"General_Timer3_Time", 14, "0"},
    {"General_Timer4_Time", 15, "0"},
    {"General_Timer5_Time", 16, "0"},
    {"General_Timer6_Time", 17, "0"},
    {"General_Timer1_Macro_To_Use", 6, "1"},
    {"General_Timer2_Macro_To_Use", 7, "1"},
    {"General_Timer3_Macro_To_Use", 8, "1"},
    {"General_Timer4_Macro_To_Use", 9, "1"},
    {"General_Timer5_Macro_To_Use", 10, "1"},
    {"General_Timer6_Macro_To_Use", 11, "1"},
}};

}  // namespace

std::span<const NumberKey> TimersPortKeys() { return portKeys; }
std::span<const NumberKey> TimersGeneralKeys() { return generalKeys; }

void LoadTimersFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int port = 1; port <= 3; ++port) LoadNumberKeys(PortSection(port), 1000 * port, portKeys);
  LoadNumberKeys("General", 0, generalKeys);
}

SaveResult SaveTimersToDataFile() {
  ProfileSession session;
  for (int port = 1; port <= 3; ++port) {
    StepProgress(TimersProgress, 5 * port);
    SaveNumberKeys(PortSection(port), 1000 * port, portKeys);
  }
  for (std::size_t k = 0; k < generalKeys.size(); ++k) {
    StepProgress(TimersProgress, 20 + 5 * static_cast<int>(k));
    SaveNumberKey("General", 0, generalKeys[k]);
  }
  StepProgress(TimersProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
