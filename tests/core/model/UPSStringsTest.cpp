// Sub-strings, joins, finding the previous string, and copying.
#include <gtest/gtest.h>

#include "model/ZMUPSTreeSystem.h"

namespace {
std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EzmUPSSystemException& e) {
    return e.what();
  }
  return "no exception";
}

struct Installation : ::testing::Test {
  TzmUPSSystem system;
  // Batteries with the given string counts.
  void Build(std::initializer_list<int> strings) {
    system.SetBatteryCount(static_cast<int>(strings.size()));
    int b = 0;
    for (int count : strings) system.GetBattery(b++)->SetChildCount(count);
  }
  TzmUPSStringSystemNode* S(int b, int s) { return system.GetBattery(b)->GetString(s); }
};
}  // namespace

TEST_F(Installation, SubStringsSplitTheLargerHalfFirst) {
  Build({1});
  TzmUPSStringSystemNode* string = S(0, 0);
  string->SetCellCount(7);
  string->SetSubStringsEnabled(true);
  ASSERT_EQ(string->SubStringCount(), 2);
  EXPECT_EQ(string->GetSubStringCells(0), 4);
  EXPECT_EQ(string->GetSubStringCells(1), 3);

  string->SetSubStringCells(1, 5);
  EXPECT_EQ(string->CellCount(), 9);
  string->SetSubStringCells(0, -3);  // negative: nothing changes
  EXPECT_EQ(string->GetSubStringCells(0), 4);
  EXPECT_EQ(string->CellCount(), 9);

  string->SetSubStringsEnabled(true);  // already split: kept
  EXPECT_EQ(string->GetSubStringCells(1), 5);
  string->SetSubStringCount(3);
  EXPECT_EQ(string->SubStringCells(), (std::vector<int>{4, 5, 0}));
  EXPECT_EQ(string->CellCount(), 9);
  string->SetSubStringCount(-1);
  EXPECT_FALSE(string->HasSubStrings());
  EXPECT_EQ(string->CellCount(), 9);

  TzmUPSStringSystemNode empty;
  empty.SetSubStringsEnabled(true);
  EXPECT_EQ(empty.SubStringCells(), (std::vector<int>{0, 0}));
  empty.SetSubStringsEnabled(false);
  EXPECT_FALSE(empty.HasSubStrings());
}

TEST_F(Installation, SubStringChannelsCountTheNullsOfTheirOwnCells) {
  Build({1});
  TzmUPSStringSystemNode* string = S(0, 0);
  string->SetCellCount(5);
  string->SetSubStringsEnabled(true);  // 3 + 2
  string->GetCell(1)->NullCount = 1;
  string->GetCell(3)->NullCount = 2;
  string->GetCell(4)->NullCount = 1;
  EXPECT_EQ(string->GetSubStringChannelCount(0), 4);
  EXPECT_EQ(string->GetSubStringChannelCount(1), 5);

  // A table that promises more cells than exist reads only the real ones.
  string->SetCellCount(3);
  EXPECT_EQ(string->GetSubStringChannelCount(1), 2);
}

TEST_F(Installation, SubStringIndexErrorsNameIndexCountAndString) {
  Build({1});
  TzmUPSStringSystemNode* string = S(0, 0);
  string->SetCellCount(4);
  string->SetSubStringsEnabled(true);
  EXPECT_EQ(MessageOf([&] { string->GetSubStringCells(-1); }),
            "Attempt to access negative substring index : -1 in string String: 1");
  EXPECT_EQ(MessageOf([&] { string->GetSubStringCells(2); }),
            "Attempt to access substring index : 2 when only 2 available in string String: 1");
  EXPECT_EQ(MessageOf([&] { string->GetSubStringChannelCount(-4); }),
            "Attempt to access negative substring index for channel count : -4 in string String: 1");
  EXPECT_EQ(MessageOf([&] { string->GetSubStringChannelCount(3); }),
            "Attempt to access substring index for channel count : 3 when only 2 available in "
            "string String: 1");
  EXPECT_EQ(MessageOf([&] { string->SetSubStringCells(-1, 3); }),
            "Attempt to set negative substring index : -1 in string String: 1");
  EXPECT_EQ(MessageOf([&] { string->SetSubStringCells(2, 3); }),
            "Attempt to set substring index : 2 when only 2 available in string String: 1");
  EXPECT_EQ(string->SubStringCells(), (std::vector<int>{2, 2}));
  EXPECT_EQ(string->CellCount(), 4);
}

TEST_F(Installation, JoinNumbersAreFreshAndMarkContinuations) {
  Build({3});
  const int before = NextJoinNumber();
  EXPECT_GE(before, 30000);
  const int number = S(0, 1)->NewJoinNumber();
  EXPECT_EQ(number, before + 1);
  EXPECT_EQ(NextJoinNumber(), number);
  EXPECT_EQ(S(0, 1)->Number, number);
  EXPECT_FALSE(S(0, 1)->IsContinuation());  // string 0 has index 0 as its number
  S(0, 2)->Number = number;
  EXPECT_TRUE(S(0, 2)->IsContinuation());
  EXPECT_EQ(S(0, 2)->NewJoinNumber(), number + 1);
  EXPECT_FALSE(S(0, 2)->IsContinuation());

  // An unnumbered string's number is its index: a string numbered 0 at index 1
  // continues the first string.
  S(0, 1)->Number = 0;
  EXPECT_TRUE(S(0, 1)->IsContinuation());
  S(0, 0)->Number = 0;
  EXPECT_FALSE(S(0, 0)->IsContinuation());
}

TEST_F(Installation, PreviousStringIsTheFirstSegmentBefore) {
  Build({0, 3, 0, 1});
  EXPECT_EQ(system.FindPreviousString(1, 0), nullptr);  // battery 0 has no strings
  EXPECT_EQ(system.FindPreviousString(0, 0), nullptr);
  EXPECT_EQ(system.FindPreviousString(1, 2), S(1, 1));

  const int join = S(1, 1)->NewJoinNumber();
  S(1, 2)->Number = join;
  EXPECT_EQ(system.FindPreviousString(3, 0), S(1, 1));  // skips empty battery 2, walks back
  EXPECT_EQ(system.FindPreviousStringOf(S(3, 0)), S(1, 1));
  EXPECT_EQ(system.FindPreviousStringOf(S(1, 2)), S(1, 1));

  S(1, 0)->Number = join;  // the joined string now starts at the first string
  EXPECT_EQ(system.FindPreviousString(3, 0), S(1, 0));
  EXPECT_EQ(system.FindPreviousString(9, 0), S(3, 0));  // past the end: from the last
  EXPECT_EQ(system.FindPreviousString(9, 2), nullptr);
  EXPECT_EQ(system.FindPreviousString(1, 3), S(1, 0));  // just past the last string
  EXPECT_EQ(system.FindPreviousString(1, 5), nullptr);
}

TEST_F(Installation, CopyStringCopiesProbesSensorsCellsAndSubStrings) {
  Build({2});
  TzmUPSStringSystemNode* source = S(0, 0);
  TzmUPSStringSystemNode* dest = S(0, 1);
  source->SetCurrentCount(1);
  source->GetCurrent(0)->HighAlarm = 3;
  source->GetCurrent(0)->Scaling.SetCableRatio(3, 2);
  source->SetTemperatureCount(2);
  source->GetTemperature(1)->SetName("Ambient");
  source->GetTemperature(1)->HighAlarm = 40;
  source->SetCellCount(5);
  source->GetCell(4)->LowAlarm = 1.75;
  source->GetCell(4)->SetBlocksPerChannel(2);
  source->GetCell(4)->NullCount = 1;
  source->SetSubStringsEnabled(true);
  source->ForceNewControlUnit = true;
  dest->SetTemperatureCount(4);

  CopyString(*source, *dest);
  EXPECT_EQ(dest->CurrentCount(), 1);
  EXPECT_EQ(dest->GetCurrent(0)->HighAlarm, 3);
  EXPECT_EQ(dest->GetCurrent(0)->Scaling.GetScaledCurrent(), 1500);
  ASSERT_EQ(dest->TemperatureCount(), 2);
  EXPECT_EQ(dest->GetTemperature(1)->Name(), "Ambient");
  EXPECT_EQ(dest->GetTemperature(1)->HighAlarm, 40);
  EXPECT_EQ(dest->SubStringCells(), (std::vector<int>{3, 2}));
  ASSERT_EQ(dest->CellCount(), 5);
  EXPECT_EQ(dest->GetCell(4)->LowAlarm, 1.75);
  EXPECT_EQ(dest->GetCell(4)->BlocksPerChannel(), 2);
  EXPECT_EQ(dest->GetCell(4)->NullCount, 0);  // null channels are not settings
  EXPECT_TRUE(dest->ForceNewControlUnit);
  EXPECT_EQ(dest->Name(), "String: 2");
}

TEST_F(Installation, CopyStringWithoutSubStringsClearsTheCopysOwn) {
  Build({2});
  TzmUPSStringSystemNode* source = S(0, 0);
  TzmUPSStringSystemNode* dest = S(0, 1);
  source->SetCellCount(2);
  dest->SetCellCount(9);
  dest->SetSubStringsEnabled(true);  // 5 + 4
  CopyString(*source, *dest);
  EXPECT_EQ(dest->CellCount(), 2);
  EXPECT_FALSE(dest->HasSubStrings());
  EXPECT_EQ(dest->GetText(), "C = 0, T = 0, Cells = 2");
}

TEST_F(Installation, CopyBatteryCopiesFlagsStringsAndJoinsWithFreshNumbers) {
  Build({4, 1});
  TzmUPSBatterySystemNode* source = system.GetBattery(0);
  TzmUPSBatterySystemNode* dest = system.GetBattery(1);
  source->Genset = true;
  source->VoltageOnly = true;
  source->ForceNewControlUnit = true;
  source->GetString(3)->SetName("Tail");
  source->GetString(3)->SetCellCount(6);
  const int sourceJoin = S(0, 1)->NewJoinNumber();
  S(0, 2)->Number = sourceJoin;

  CopyBattery(*source, *dest);
  EXPECT_TRUE(dest->Genset);
  EXPECT_TRUE(dest->VoltageOnly);
  EXPECT_TRUE(dest->ForceNewControlUnit);
  ASSERT_EQ(dest->StringCount(), 4);
  EXPECT_EQ(S(1, 3)->Name(), "Tail");
  EXPECT_EQ(S(1, 3)->CellCount(), 6);

  EXPECT_FALSE(S(1, 0)->HasNumber());
  EXPECT_GE(S(1, 1)->Number, 30001);
  EXPECT_NE(S(1, 1)->Number, sourceJoin);
  EXPECT_EQ(S(1, 2)->Number, S(1, 1)->Number);
  EXPECT_TRUE(S(1, 2)->IsContinuation());
  EXPECT_FALSE(S(1, 3)->IsContinuation());
  EXPECT_EQ(S(0, 1)->Number, sourceJoin);  // the source keeps its join

  // Copying onto a larger battery removes the extra strings.
  source->SetChildCount(1);
  CopyBattery(*source, *dest);
  EXPECT_EQ(dest->StringCount(), 1);
}
