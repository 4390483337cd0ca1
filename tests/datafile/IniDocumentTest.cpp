#include "datafile/IniDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace ostrin {
namespace {

TEST(IniDocumentTest, ReadsWithTheProfileRules) {
  const IniDocument doc = IniDocument::Parse(
      "; a comment = not a key\r\n"
      "[Port 1]\r\n"
      "  TxEnable =  1  \r\n"
      "txenable=0\r\n"
      "Quoted=\"  spaced  \"\r\n"
      "Half=\"open\r\n"
      "Empty=\r\n"
      "no equals sign here\r\n"
      "[port 1]\r\n"
      "Second=from the repeated section\r\n"
      "[Macros]\r\n"
      "Macro37= 37 116 187\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* value;  // nullptr: missing
  };
  const Case cases[] = {
      {"PORT 1", "TXENABLE", "1"},  // names without regard to case, first key wins
      {"Port 1", "Quoted", "  spaced  "},
      {"Port 1", "Half", "\"open"},
      {"Port 1", "Empty", ""},
      {"Port 1", "no equals sign here", nullptr},
      {"Port 1", "Second", "from the repeated section"},
      {"Macros", "Macro37", "37 116 187"},
      {"Macros", "Macro38", nullptr},
      {"Port 2", "TxEnable", nullptr},
      {"", "; a comment", nullptr},
  };
  for (const Case& c : cases) {
    const auto value = doc.Read(c.section, c.key);
    if (c.value) {
      ASSERT_TRUE(value.has_value()) << c.section << "/" << c.key;
      EXPECT_EQ(*value, c.value);
    } else {
      EXPECT_FALSE(value.has_value()) << c.section << "/" << c.key;
    }
  }
}

TEST(IniDocumentTest, ValuesAreCutTo255Characters) {
  const std::string longValue(100000, 'x');
  const IniDocument doc = IniDocument::Parse("[S]\nK=" + longValue + "\n");
  EXPECT_EQ(doc.Read("S", "K")->size(), ProfileValueLimit);
}

TEST(IniDocumentTest, WritesInPlaceAndKeepsEverythingElse) {
  const std::string original =
      "; operator's notes\r\n"
      "[General]\r\n"
      "Unknown Key=keep me\r\n"
      "TX_Timer_Units = 1\r\n"
      "\r\n"
      "[Port 1]\r\n"
      "Other=x\r\n";
  IniDocument doc = IniDocument::Parse(original);
  doc.Write("general", "tx_timer_units", "0");
  doc.Write("General", "New_Key", "5");
  doc.Write("Port 2", "TxEnable", "1");
  EXPECT_EQ(doc.Serialise(),
            "; operator's notes\r\n"
            "[General]\r\n"
            "Unknown Key=keep me\r\n"
            "TX_Timer_Units=0\r\n"
            "New_Key=5\r\n"
            "\r\n"
            "[Port 1]\r\n"
            "Other=x\r\n"
            "[Port 2]\r\n"
            "TxEnable=1\r\n");
  EXPECT_EQ(*doc.Read("General", "New_Key"), "5");
}

TEST(IniDocumentTest, KeepsLineEndsAndTheLastLineWithoutOne) {
  IniDocument doc = IniDocument::Parse("[A]\nK=1");
  doc.Write("A", "L", "2");
  doc.Write("B", "M", "3");
  EXPECT_EQ(doc.Serialise(), "[A]\nK=1\nL=2\n[B]\nM=3\n");

  IniDocument fresh;
  fresh.Write("Special Codes", "DTMF Pre Access", " ");
  EXPECT_EQ(fresh.Serialise(), "[Special Codes]\r\nDTMF Pre Access= \r\n");
  EXPECT_EQ(*fresh.Read("Special Codes", "DTMF Pre Access"), "");
}

TEST(IniDocumentTest, AValueCannotAddLines) {
  IniDocument doc;
  doc.Write("Special Codes", "Port 1 UnLock", "12\r\n[Injected]\nKey=1");
  EXPECT_FALSE(doc.Read("Injected", "Key").has_value());
  EXPECT_EQ(IniDocument::Parse(doc.Serialise()).Entries().size(), 1u);
}

TEST(IniDocumentTest, UntrustedBytesParseAndSurviveARoundTrip) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage.push_back(static_cast<char>(random() & 0xFF));
  garbage += std::string("\n[Unclosed\n=no key\n[S]\nK=v\0x\n", 29);
  IniDocument doc = IniDocument::Parse(garbage);
  EXPECT_EQ(doc.Serialise(), garbage);
  doc.Write("S", "K", "w");
  EXPECT_EQ(*IniDocument::Parse(doc.Serialise()).Read("S", "K"), "w");
  EXPECT_FALSE(doc.Read("Unclosed", "K").has_value());
}

}  // namespace
}  // namespace ostrin
