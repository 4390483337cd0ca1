#include "editors/IdsFile.h"

#include <algorithm>
#include <charconv>

#include "datafile/NumberText.h"
#include "datafile/Profile.h"

namespace ostrin {

ProgressSink* IdsProgress = nullptr;

namespace {

constexpr const char* initialVoiceId = "235 38 44 48 49 47 38 43";
constexpr const char* pendingVoiceId = "235 45 44 48 49 47 38 43";
constexpr const char* cwId = "63 73 81 72 43 62";

constexpr std::array<IdListKey, 8> listKeys{{
    {"Initial_Voice_ID1", 49, CodeKind::VoiceId, initialVoiceId},
    {"Initial_Voice_ID2", 50, CodeKind::VoiceId, initialVoiceId},
    {"Initial_Voice_ID3", 51, CodeKind::VoiceId, initialVoiceId},
    {"Pending_Voice_ID1", 52, CodeKind::VoiceId, pendingVoiceId},
    {"Pending_Voice_ID2", 53, CodeKind::VoiceId, pendingVoiceId},
    {"Pending_Voice_ID3", 54, CodeKind::VoiceId, pendingVoiceId},
    {"CW_ID1", 55, CodeKind::CwId, cwId},
    {"CW_ID2", 56, CodeKind::CwId, cwId},
}};

constexpr std::array<NumberKey, 5> numberKeys{{
    {"CW_Speed", 44, "20"},
    {"CW_Tone1", 45, "600"},
    {"CW_Tone2", 46, "0"},
    {"Speech_IDs", 47, "1", KeyFormat::FirstCharOne},
    {"Constant_ID", 48, "0", KeyFormat::FirstCharOne},
}};

constexpr std::array<NumberKey, 3> extraKeys{{
    {"ID Extra ID 1", 58, "0"},
    {"ID Extra ID 2", 59, "0"},
    {"ID Extra ID 3", 60, "0"},
}};

// The stored list of a port's list key, as a CodeList.
CodeList storedList(const PortListBlock& lists, int offset) {
  CodeList list;
  auto copy = [&list](const auto& stored) {
    list.count = stored.count;
    std::copy(stored.codes.begin(), stored.codes.end(), list.codes.begin());
  };
  if (offset < 55) {
    copy(lists.voice[static_cast<std::size_t>(offset - 49)]);
  } else {
    copy(lists.cw[static_cast<std::size_t>(offset - 55)]);
  }
  return list;
}

// The extras are written in unsigned decimal, so a number up to 2^32 - 1 reads
// back as the 32-bit value it was written from; anything else is the leading
// decimal number.
std::int32_t idExtraValue(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
  if (first != std::string_view::npos) {
    std::uint32_t value = 0;
    const char* begin = text.data() + first;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error == std::errc{} && end != begin) return static_cast<std::int32_t>(value);
  }
  return LeadingNumber(text);
}

void loadPort(int port) {
  const std::string section = PortSection(port);
  const int base = 1000 * port;
  for (const IdListKey& row : listKeys) {
    SetPortList(base + row.offset, NumberTextToCodes(ReadProfileText(section, row.key, row.defaultText), row.kind));
  }
  LoadNumberKeys(section, base, numberKeys);
  for (const NumberKey& row : extraKeys) {
    SetValue(base + row.offset, idExtraValue(ReadProfileText(section, row.key, row.defaultText)));
  }
}

void savePort(int port) {
  const std::string section = PortSection(port);
  const int base = 1000 * port;
  const PortListBlock lists = GetPortLists(base);
  for (const IdListKey& row : listKeys) {
    WriteProfileText(section, row.key, CodesToNumberText(storedList(lists, row.offset)));
  }
  SaveNumberKeys(section, base, numberKeys);
  for (const NumberKey& row : extraKeys) {
    const auto value = static_cast<std::uint32_t>(GetValue(base + row.offset).current);
    WriteProfileText(section, row.key, std::to_string(value));
  }
}

}  // namespace

std::span<const IdListKey> IdListKeys() { return listKeys; }
std::span<const NumberKey> IdNumberKeys() { return numberKeys; }
std::span<const NumberKey> IdExtraKeys() { return extraKeys; }

void LoadIdsFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int port = 1; port <= 3; ++port) loadPort(port);
}

SaveResult SaveIdsToDataFile() {
  ProfileSession session;
  for (int port = 1; port <= 3; ++port) {
    StepProgress(IdsProgress, 35 * (port - 1));
    savePort(port);
  }
  StepProgress(IdsProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
