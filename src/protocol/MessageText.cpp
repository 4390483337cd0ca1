#include "protocol/MessageText.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

#include "protocol/Messages.h"

namespace ostrin {
namespace {

class TextBuilder {
 public:
  TextBuilder(const std::uint8_t* message, int length) : message_(message), length_(length) {}

  int Byte(int offset) const { return MessageByte(message_, length_, offset); }
  int SignedByte(int offset) const { return static_cast<std::int8_t>(MessageByte(message_, length_, offset)); }
  int Word(int offset) const { return MessageWord(message_, length_, offset); }
  int Length() const { return length_; }

  [[gnu::format(printf, 2, 3)]] void Append(const char* format, ...) {
    char piece[64];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(piece, sizeof piece, format, arguments);
    va_end(arguments);
    text_ += piece;
  }
  std::string Take() { return std::move(text_); }

 private:
  const std::uint8_t* message_;
  int length_;
  std::string text_;
};

void appendWords(TextBuilder& t, int first, int count) {
  for (int i = 0; i < count; ++i) t.Append("%2d", t.Word(first + 2 * i));
}

void appendFields(TextBuilder& t, int code) {
  switch (code) {
    case 1:
    case 101:
      t.Append(",v:%d.%d.%d", t.Byte(1), t.Byte(2), t.Byte(3));
      return;
    case 2:
    case 3:
    case 102:
    case 103:
      t.Append(",N:%d V:%d", t.Word(1), t.Word(3));
      return;
    case 4:
    case 9:
    case 104:
      return;
    case 10:
      t.Append(",N:%d ", t.Word(1));
      for (int i = 0; i <= t.Byte(3); ++i) t.Append("%02X ", t.Byte(3 + i));
      return;
    case 11:
    case 12:
    case 111:
    case 112:
      t.Append(",FN:");
      appendWords(t, 3, MacroStepCount);
      t.Append(",DTMF:");
      for (int i = 0; i < MacroCodeLength; ++i) t.Append("%2d", t.SignedByte(33 + i));
      return;
    case 13:
    case 14:
    case 113:
    case 114:
      t.Append(",FN:");
      appendWords(t, 5, MessageWordCapacity);
      t.Append(",SZ:%d", t.Word(3));
      return;
    default:
      for (int i = 1; i < t.Length(); ++i) t.Append("%02X", t.Byte(i));
      return;
  }
}

}  // namespace

std::string MessageText(const std::uint8_t* message, int length) {
  TextBuilder text(message, length);
  text.Append("Cmd:%d", text.Byte(0));
  appendFields(text, text.Byte(0));
  return text.Take();
}

}  // namespace ostrin
