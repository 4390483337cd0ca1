#include "speech/SpeechTables.h"

#include <cstddef>

namespace ostrin {

constexpr std::array<std::string_view, VoiceWordCount> VoiceWordTable = {
    /*   0 */ "ZERO", "1", "2", "3", "4", "5", "6", "7",
    /*   8 */ "8", "9", "10", "11", "12", "13", "14", "15",
    /*  16 */ "16", "17", "18", "19", "20", "30", "40", "50",
    /*  24 */ "60", "70", "80", "90", "HUNDRED", "THOUSAND", "A", "B",
    /*  32 */ "C", "D", "E", "F", "G", "H", "I", "J",
    /*  40 */ "K", "L", "M", "N", "O", "P", "Q", "R",
    /*  48 */ "S", "T", "U", "V", "W", "X", "Y", "Z",
    /*  56 */ "ABOVE", "ACTIVE", "AFTERNOON", "ALERT", "ALL", "AMATEUR", "AMPS", "AND",
    /*  64 */ "ANSWER", "APRIL", "ASSOCIATION", "AT", "AUGUST", "AUTO", "AUTOMATIC", "AUXILARY",
    /*  72 */ "AVERAGE", "AM", "BAND", "BASE", "BATTERY", "BELOW", "BUSY", "BY",
    /*  80 */ "CALIBRATE", "CALL", "CANCEL", "CARRIER", "CAUTION", "CHANGE", "CHECK", "CLEAR",
    /*  88 */ "CLOCK", "CODE", "COMPLETE", "COMPUTER", "CONNECT", "CONNECTED", "CONTROL",
    /*  95 */ "CONTROLLER", "CURRENT", "DANGER", "DATE", "DAY", "DECEMBER", "DEGREES", "DEVIATION",
    /* 103 */ "DIRECTION", "DISCONNECTED", "DOWN", "EAST", "ECHO", "EMERGENCY", "ENTER", "EQUAL",
    /* 111 */ "ERROR", "EVENING", "FAILURE", "FEBRUARY", "FEET", "FREQUENCY", "FRIDAY", "FROM",
    /* 119 */ "FULL", "GET", "GO", "GOOD", "HAM", "HELLO", "HELP", "HERTZ",
    /* 127 */ "HIGH", "HOLD", "HOUR", "INTERNET", "INTRUDER", "IS", "JANUARY", "JULY",
    /* 135 */ "JUNE", "LEFT", "LIGHT", "LINE", "LINK", "LOCK", "LOW", "MANUAL",
    /* 143 */ "MARCH", "MAXIMUM", "MAY", "MEETING", "MEGA", "MESSAGES", "METER", "MILES PER HOUR",
    /* 151 */ "MINIMUM", "MINUS", "MINUTES", "MIX", "MONDAY", "MONITOR", "MORNING", "MUTE",
    /* 159 */ "NEGATIVE", "NET", "NIGHT", "NO", "NORTH", "NOT", "NOVEMBER", "NUMBER",
    /* 167 */ "OCLOCK", "OCTOBER", "OF", "OFF", "ON", "OPERATOR", "OUT", "OVER",
    /* 175 */ "PATCH", "PERCENT", "PHONE", "PLEASE", "PLUS", "POINT", "PORT", "POWER",
    /* 183 */ "PROGRAM", "PM", "RADIO", "READY", "RECEIVE", "REMOTE", "REPEAT", "REPEATER",
    /* 191 */ "SATURDAY", "SECONDS", "SELECT", "SEPTEMBER", "SET", "SKYWARN", "SOUTH", "SQUELCH",
    /* 199 */ "START", "STOP", "SUNDAY", "SYSTEM", "TEMPERATURE", "THANK YOU", "THE(LONG)",
    /* 206 */ "THE(SHORT)", "THE TIME IS", "THIS", "THURSDAY", "TIME", "TIMEOUT", "TIMER", "TODAY",
    /* 214 */ "TOMORROW", "TONE", "TONIGHT", "TRANSMIT", "TUESDAY", "UNDER", "UP", "USENOUN",
    /* 222 */ "USEVERB", "VOLTAGE", "VOLTS", "WAIT", "WARNING", "WATTS", "WEATHER", "WEDNESDAY",
    /* 230 */ "WELCOME", "WEST", "YESTERDAY", "ZULU", "-S(MAKES_PLURAL)", "SILENCE(PAUSE)", "DVR1",
    /* 237 */ "DVR2", "DVR3", "DVR4", "DVR5", "DVR6", "DVR7", "DVR8", "DVR9",
    /* 245 */ "DVR10", "DVR11", "DVR12", "DVR13", "DVR14", "DVR15", "DVR16", "DVR17",
    /* 253 */ "DVR18", "DVR19", "DVR20",
};

namespace {

// The spellings in which the message vocabulary differs from the voice one.
constexpr MessageWord MessageSpellings[] = {
    {28, "100"},
    {29, "1000"},
    {73, "A.M."},
    {150, "MILES_PER_HOUR"},
    {184, "P.M."},
    {205, "THE(long)"},
    {206, "THE(short)"},
    {207, "THE_TIME_IS"},
    {221, "USE(noun)"},
    {222, "USE(verb)"},
    {234, "-S(makes_plural)"},
    {235, "SILENCE(pause)"},
};

constexpr std::array<MessageWord, MessageWordCount> MakeMessageWords() {
  std::array<MessageWord, MessageWordCount> table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i] = {static_cast<std::int32_t>(i), VoiceWordTable[i]};
  }
  for (const MessageWord& spelling : MessageSpellings) {
    table[static_cast<std::size_t>(spelling.code)].word = spelling.word;
  }
  return table;
}

bool InRange(std::int32_t code, int size) { return code >= 0 && code < size; }

}  // namespace

constexpr std::array<MessageWord, MessageWordCount> MessageWordTable = MakeMessageWords();

constexpr std::array<CwCharacter, CwCharacterCount> CwCharacterTable = {{
    {"0", 0},  {"1", 1},  {"2", 2},  {"3", 3},  {"4", 4},  {"5", 5},      {"6", 6},
    {"7", 7},  {"8", 8},  {"9", 9},  {"-", 10}, {"SPACE", 11}, {"/", 12}, {"AR", 13},
    {",", 14}, {"?", 20}, {"A", 21}, {"B", 22}, {"C", 23}, {"D", 31},     {"E", 32},
    {"F", 33}, {"G", 41}, {"H", 42}, {"I", 43}, {"J", 51}, {"K", 52},     {"L", 53},
    {"SK", 60}, {"M", 61}, {"N", 62}, {"O", 63}, {"P", 70}, {"Q", 71},    {"R", 72},
    {"S", 73}, {"T", 81}, {"U", 82}, {"V", 83}, {"Z", 90}, {"W", 91},     {"X", 92},
    {"Y", 93},
}};

constexpr std::array<char, DtmfDigitCount> DtmfDigitTable = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', '*', '#',
};

std::string_view VoiceWordText(std::int32_t code) {
  return InRange(code, VoiceWordCount) ? VoiceWordTable[static_cast<std::size_t>(code)]
                                       : std::string_view{};
}

std::string_view MessageWordText(std::int32_t code) {
  return InRange(code, MessageWordCount) ? MessageWordTable[static_cast<std::size_t>(code)].word
                                         : std::string_view{};
}

std::string_view CwCharacterText(std::int32_t code) {
  for (const CwCharacter& character : CwCharacterTable) {
    if (character.code == code) return character.text;
  }
  return {};
}

char DtmfDigitChar(std::int32_t code) {
  return InRange(code, DtmfDigitCount) ? DtmfDigitTable[static_cast<std::size_t>(code)] : '\0';
}

}  // namespace ostrin
