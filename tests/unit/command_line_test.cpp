// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using launcher::command_line_tail;

constexpr uint8_t kSingleByte[platform::kLeadByteTableSize] = {};
// Code page 932 (Shift-JIS): lead bytes 0x81-0x9F and 0xE0-0xFC.
constexpr uint8_t kShiftJis[platform::kLeadByteTableSize] = {0x81, 0x9F, 0xE0, 0xFC};

std::string tail(const std::string& line, const uint8_t* ranges = kSingleByte) {
  const char* t = command_line_tail(line.c_str(), ranges);
  EXPECT_GE(t, line.c_str());
  EXPECT_LE(t, line.c_str() + line.size());
  return t;
}

TEST(CommandLineTail, QuotedAndUnquotedNames) {
  EXPECT_EQ(tail("\"E:\\my cd\\launcher.exe\"  /a  /b"), "/a  /b");
  EXPECT_EQ(tail("E:\\launcher.exe /s"), "/s");
  EXPECT_EQ(tail("launcher.exe"), "");
  EXPECT_EQ(tail("\"E:\\launcher.exe\""), "");
  EXPECT_EQ(tail(""), "");
  // An empty quoted name is still a name.
  EXPECT_EQ(tail("\"\"   arg"), "arg");
  // No closing quote: the name takes the whole line.
  EXPECT_EQ(tail("\"E:\\launcher.exe /s"), "");
  // The name ends at the quote even when no blank follows it.
  EXPECT_EQ(tail("\"E:\\l.exe\"/x"), "/x");
}

TEST(CommandLineTail, BlanksAreCodesOneTo32) {
  EXPECT_EQ(tail("launcher.exe\t/a"), "/a");
  EXPECT_EQ(tail("launcher.exe\x01\x1f /a"), "/a");
  EXPECT_EQ(tail("launcher.exe /a \t"), "/a \t");  // trailing blanks stay
  // A line that begins with a blank removes no name, only the blanks.
  EXPECT_EQ(tail("  launcher.exe /a"), "launcher.exe /a");
  EXPECT_EQ(tail("\tlauncher.exe"), "launcher.exe");
  // Byte 33 is not a blank, nor are bytes above 127.
  EXPECT_EQ(tail("a!b c"), "c");
  EXPECT_EQ(tail("a\xa0\xff c"), "c");
  EXPECT_EQ(tail("a \xa0x"), "\xa0x");
}

TEST(CommandLineTail, LeadBytesInQuotedNameTakeTheirTrailByte) {
  // 0x81 0x22 is one double-byte character whose trail byte is a quote.
  const std::string line = "\"E:\\\x81\"x.exe\" /a";
  EXPECT_EQ(tail(line, kShiftJis), "/a");
  // Without a double-byte code page the trail byte ends the name.
  EXPECT_EQ(tail(line, kSingleByte), "x.exe\" /a");
  // A lead byte last in the line is not stepped past the end.
  EXPECT_EQ(tail("\"E:\\\x81", kShiftJis), "");
  EXPECT_EQ(tail("\"\xE0", kShiftJis), "");
  // Unquoted names ignore lead bytes: a blank trail byte ends the name.
  EXPECT_EQ(tail("\x81 a", kShiftJis), "a");
  // Range bounds are inclusive; bytes outside them are single.
  EXPECT_EQ(tail("\"\x9F\"\" b", kShiftJis), "b");
  EXPECT_EQ(tail("\"\xA0\"\" b", kShiftJis), "\" b");
  EXPECT_EQ(tail("\"\xFC\"\" b", kShiftJis), "b");
}

TEST(LeadByteTable, ZeroPairEndsTheRangesAndAllSixPairsCount) {
  const uint8_t ended[platform::kLeadByteTableSize] = {0x81, 0x82, 0, 0, 0xA0, 0xA1};
  EXPECT_TRUE(launcher::is_lead_byte(0x82, ended));
  EXPECT_FALSE(launcher::is_lead_byte(0xA0, ended));
  const uint8_t full[platform::kLeadByteTableSize] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 0xF0, 0xF1};
  EXPECT_TRUE(launcher::is_lead_byte(0xF1, full));
  EXPECT_FALSE(launcher::is_lead_byte(0xF2, full));
  EXPECT_FALSE(launcher::is_lead_byte(0x00, kSingleByte));
}

TEST(ShowState, HandedOnOnlyWhenTheStartupInfoCarriesOne) {
  EXPECT_EQ(launcher::show_state(1, 7), 7);
  EXPECT_EQ(launcher::show_state(0x101, 2), 2);
  EXPECT_EQ(launcher::show_state(0, 7), 10);
  EXPECT_EQ(launcher::show_state(0x100, 0), 10);
}

}  // namespace
