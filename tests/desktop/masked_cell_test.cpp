// A masked hex cell takes keys as a line edit with the mask "NN;_" or
// "NNNN;_" does: a fixed number of positions, free ones shown as '_'.
#include <gtest/gtest.h>

#include "desktop/masked_cell.h"

namespace kalmar::desktop {
namespace {

MaskedCell cellWith(const char* text, int anchor, int caret) {
  MaskedCell cell(static_cast<int>(std::string_view(text).size()));
  cell.setText(text);
  cell.select(anchor, caret);
  return cell;
}

TEST(MaskedCell, TypingOverwritesAtTheCaretAndStopsAtTheEnd) {
  MaskedCell cell = cellWith("3F", 0, 0);
  EXPECT_TRUE(cell.type(U'a'));
  EXPECT_EQ(cell.text(), "aF");
  EXPECT_EQ(cell.caret(), 1);
  EXPECT_TRUE(cell.type(U'7'));
  EXPECT_FALSE(cell.type(U'c'));  // no position left
  EXPECT_EQ(cell.text(), "a7");
  EXPECT_EQ(cell.caret(), 2);
  cell.home(false);
  for (char32_t refused : {U'-', U' ', U'_', U'\x416'})  // the last is a Cyrillic letter
    EXPECT_FALSE(cell.type(refused));
  EXPECT_EQ(cell.text(), "a7");
  EXPECT_EQ(cell.caret(), 0);
}

TEST(MaskedCell, ASelectionIsFreedFirstEvenForARefusedCharacter) {
  MaskedCell word = cellWith("3FFF", 1, 3);
  EXPECT_TRUE(word.type(U'0'));
  EXPECT_EQ(word.text(), "30_F");
  EXPECT_EQ(word.caret(), 2);
  EXPECT_FALSE(word.hasSelection());
  MaskedCell byte = cellWith("3F", 2, 1);  // selected backwards
  EXPECT_TRUE(byte.type(U'-'));
  EXPECT_EQ(byte.text(), "3_");
  EXPECT_EQ(byte.caret(), 1);
}

TEST(MaskedCell, BackspaceAndDeleteFreePositionsWithoutShortening) {
  MaskedCell cell = cellWith("3FFF", 2, 2);
  EXPECT_TRUE(cell.backspace());
  EXPECT_EQ(cell.text(), "3_FF");
  EXPECT_EQ(cell.caret(), 1);
  cell.select(3, 3);
  EXPECT_TRUE(cell.del());
  EXPECT_EQ(cell.text(), "3_F_");
  EXPECT_EQ(cell.caret(), 3);
  cell.end(false);
  EXPECT_FALSE(cell.del());
  cell.home(false);
  EXPECT_FALSE(cell.backspace());
  MaskedCell selected = cellWith("3FFF", 3, 1);
  EXPECT_TRUE(selected.backspace());
  EXPECT_EQ(selected.text(), "3__F");
  EXPECT_EQ(selected.caret(), 1);
}

TEST(MaskedCell, PasteSkipsRefusedCharactersAndDropsTheOverflow) {
  MaskedCell byte = cellWith("3F", 0, 0);
  EXPECT_TRUE(byte.paste(U"-1"));
  EXPECT_EQ(byte.text(), "1F");
  EXPECT_EQ(byte.caret(), 1);
  MaskedCell word = cellWith("3FFF", 0, 0);
  EXPECT_TRUE(word.paste(U"123456"));
  EXPECT_EQ(word.text(), "1234");
  EXPECT_EQ(word.caret(), 4);
  word.select(0, 4);
  EXPECT_TRUE(word.paste(U"12"));
  EXPECT_EQ(word.text(), "12__");
  EXPECT_EQ(word.caret(), 2);
}

TEST(MaskedCell, AProgramTextKeepsItsLettersAndDigitsInTheMasksPositions) {
  EXPECT_EQ(MaskedCell::masked("G-1", 2), "G1");
  EXPECT_EQ(MaskedCell::masked("_1", 2), "1_");
  EXPECT_EQ(MaskedCell::masked("ABC", 2), "AB");
  EXPECT_EQ(MaskedCell::masked("", 4), "____");
  EXPECT_EQ(MaskedCell::masked("\xD0\x96" "1", 2), "1_");  // a Cyrillic letter in UTF-8
  MaskedCell cell = cellWith("3FFF", 4, 4);
  cell.setText("12");
  EXPECT_EQ(cell.text(), "12__");
  EXPECT_EQ(cell.caret(), 0);
  // What a cell shows keeps its free positions where they stand.
  cell.setShown("_F-1");
  EXPECT_EQ(cell.text(), "_F_1");
}

TEST(MaskedCell, ArrowsStepFromTheCaretAndDropTheSelectionUnlessShifted) {
  MaskedCell cell = cellWith("3F", 0, 2);
  cell.left(false);
  EXPECT_EQ(cell.caret(), 1);
  EXPECT_FALSE(cell.hasSelection());
  cell.select(2, 0);
  cell.right(false);
  EXPECT_EQ(cell.caret(), 1);
  EXPECT_FALSE(cell.hasSelection());
  cell.left(true);
  EXPECT_EQ(cell.selectionStart(), 0);
  EXPECT_EQ(cell.selectionLength(), 1);
  cell.left(false);
  EXPECT_EQ(cell.caret(), 0);  // kept at the first position
  cell.end(false);
  cell.right(false);
  EXPECT_EQ(cell.caret(), 2);
}

}  // namespace
}  // namespace kalmar::desktop
