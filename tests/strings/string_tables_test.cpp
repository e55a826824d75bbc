#include "panel/string_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t kEnglish = 1033;
constexpr int32_t kJapanese = 1041;

const ChoiceList kAllLists[] = {
    ChoiceList::Tool,         ChoiceList::FalloffMode,      ChoiceList::Visibility,
    ChoiceList::EditCommand,  ChoiceList::SmoothFor,        ChoiceList::BindMethod,
    ChoiceList::BindFor,      ChoiceList::MirrorAxis,       ChoiceList::MirrorStringType,
    ChoiceList::MirrorDirection, ChoiceList::GradientTool,  ChoiceList::GradientInit,
};

size_t countEntries(const char* const* table) {
  size_t n = 0;
  while (table[n]) ++n;
  return n;
}

std::string u8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }

// UTF-8 to CP932 through the C library, independent of the generator script.
bool toCp932(const std::string& utf8, std::string& out) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = utf8;
  std::vector<char> buffer(in.size() * 2 + 8);
  char* src = in.data();
  char* dst = buffer.data();
  size_t srcLeft = in.size(), dstLeft = buffer.size();
  const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  out.assign(buffer.data(), buffer.size() - dstLeft);
  return ok && srcLeft == 0;
}

// Half-width katakana U+FF61..U+FF9F are the single bytes 0xA1..0xDF of JIS X 0201;
// enough of a hand mapping for the all-half-width sample texts.
std::string halfWidthToSjis(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i + 2 < utf8.size(); i += 3) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
    const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
    const unsigned cp = (b0 & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
    EXPECT_TRUE(cp >= 0xFF61 && cp <= 0xFF9F) << std::hex << cp;
    out.push_back(static_cast<char>(cp - 0xFF61 + 0xA1));
  }
  return out;
}

}  // namespace

TEST(LocaleTest, OnlyLow16BitsCount) {
  EXPECT_TRUE(isJapaneseLocale(kJapanese));
  EXPECT_TRUE(isJapaneseLocale(0x00070411));
  EXPECT_FALSE(isJapaneseLocale(kEnglish));
  EXPECT_FALSE(isJapaneseLocale(0x04110000));
  EXPECT_FALSE(isJapaneseLocale(-1));
}

TEST(StringTables, EveryLanguageFormHasTheEnglishShape) {
  for (ChoiceList list : kAllLists) {
    SCOPED_TRACE(static_cast<int>(list));
    const size_t n = countEntries(getChoiceTable(list, kEnglish, 3211));
    EXPECT_GT(n, 0u);
    for (int32_t build : {0, 2500, 3210, 3211, 4000})
      EXPECT_EQ(countEntries(getChoiceTable(list, kJapanese, build)), n) << build;
  }
  EXPECT_EQ(countEntries(toolList_En), 11u);
  EXPECT_EQ(countEntries(stEditCommandList_En), static_cast<size_t>(kNumEditCommandEntries));
  for (int i = 0; i < kNumTextIds; ++i) {
    ASSERT_NE(textTable_En[i], nullptr) << i;
    ASSERT_NE(textTable_Jp[i], nullptr) << i;
  }
}

TEST(StringTables, EnglishHostIsEnglishOnEveryBuild) {
  for (int32_t build : {0, 1999, 2000, 2736, 3210, 3211, 9999}) {
    SCOPED_TRACE(build);
    for (ChoiceList list : kAllLists) {
      const char* const* table = getChoiceTable(list, kEnglish, build);
      for (size_t i = 0; table[i]; ++i)
        for (const char* c = table[i]; *c; ++c)
          ASSERT_LT(static_cast<unsigned char>(*c), 0x80u) << table[i];
    }
    for (int i = 0; i < kNumTextIds; ++i)
      EXPECT_EQ(getText(static_cast<TextId>(i), kEnglish, build), textTable_En[i]);
    EXPECT_EQ(makeClampMessage(1, kEnglish), "1 point has been unassigned.");
    EXPECT_EQ(makeClampMessage(3, kEnglish), "3 points have been unassigned.");
  }
  EXPECT_STREQ(getChoiceTable(ChoiceList::FalloffMode, kEnglish, 3211)[1], "Surface");
  EXPECT_STREQ(getText(TextId::ObjectsModeOnly, kEnglish, 3211), "Objects mode only.");
}

TEST(StringTables, JapaneseItemsAreUtf8FromBuild3211ButLabelsStayShiftJis) {
  const std::string globalSjis = "\x91\x53\x91\xcc";                      // 全体
  const std::string globalUtf8 = "\xe5\x85\xa8\xe4\xbd\x93";              // 全体
  const std::string falloffLabelSjis = "\x8c\xb8\x90\x8a\x83\x82\x81\x5b\x83\x68";  // 減衰モード
  EXPECT_EQ(getChoiceTable(ChoiceList::FalloffMode, kJapanese, 3211)[0], globalUtf8);
  EXPECT_EQ(getChoiceTable(ChoiceList::FalloffMode, kJapanese, 3210)[0], globalSjis);
  EXPECT_EQ(std::string(getText(TextId::FalloffMode, kJapanese, 3211)), falloffLabelSjis);
  EXPECT_EQ(std::string(getText(TextId::FalloffMode, kJapanese, 2000)), falloffLabelSjis);

  // Tool buttons are labels: Shift-JIS with half-width katakana on every build.
  EXPECT_EQ(std::string(getChoiceTable(ChoiceList::Tool, kJapanese, 4000)[2]),
            halfWidthToSjis(u8(u8"ｸﾞﾗﾃﾞｰｼｮﾝ")));
  EXPECT_EQ(std::string(getText(TextId::SubDLevel, kJapanese, 4000)),
            halfWidthToSjis(u8(u8"ｻﾌﾞﾊﾟｯﾁﾚﾍﾞﾙ")));

  EXPECT_EQ(std::string(getText(TextId::NoneItem, kJapanese, 3211)), u8(u8" (なし) "));
  std::string noneSjis;
  ASSERT_TRUE(toCp932(u8(u8" (なし) "), noneSjis));
  EXPECT_EQ(std::string(getText(TextId::NoneItem, kJapanese, 3000)), noneSjis);
}

TEST(StringTables, TitlesThatStayEnglishOnMiddleBuilds) {
  for (TextId id : {TextId::DeleteCurrentMap, TextId::CombineColumnTitle}) {
    SCOPED_TRACE(static_cast<int>(id));
    const int i = static_cast<int>(id);
    EXPECT_EQ(getText(id, kJapanese, 2000), textTable_En[i]);
    EXPECT_EQ(getText(id, kJapanese, 2736), textTable_En[i]);
    EXPECT_EQ(getText(id, kJapanese, 1999), textTable_Jp[i]);
    EXPECT_EQ(getText(id, kJapanese, 2737), textTable_Jp[i]);
  }
  // From 3211 the column title is a list item (UTF-8); the question's title a message.
  EXPECT_EQ(std::string(getText(TextId::CombineColumnTitle, kJapanese, 3211)), u8(u8"ウェイトマップ"));
  EXPECT_EQ(getText(TextId::DeleteCurrentMap, kJapanese, 3211),
            textTable_Jp[static_cast<int>(TextId::DeleteCurrentMap)]);
  EXPECT_EQ(getText(TextId::DeleteCurrentMapQuestion, kJapanese, 2500),
            textTable_Jp[static_cast<int>(TextId::DeleteCurrentMapQuestion)]);
}

TEST(StringTables, CommandListSeparatorsMatchInEveryLanguage) {
  const std::vector<size_t> separators = {8, 11, 18, 23, 25};
  for (const char* const* table :
       {stEditCommandList_En, stEditCommandList_Jp, stEditCommandList_UTF8_Jp}) {
    std::vector<size_t> found;
    for (size_t i = 0; table[i]; ++i) {
      if (table[i][0] == '-') {
        found.push_back(i);
        EXPECT_STREQ(table[i], "---------------");
      }
    }
    EXPECT_EQ(found, separators);
  }
}

// Every UTF-8 table, converted to CP932 by the C library, gives the stored Shift-JIS
// bytes, and the UTF-8 item texts give their Shift-JIS forms.
TEST(StringTables, ShiftJisMatchesTheUtf8Form) {
  std::string probe;
  if (!toCp932("a", probe)) GTEST_SKIP() << "no CP932 converter in this C library";
  const std::pair<const char* const*, const char* const*> pairs[] = {
      {falloffModeChoice_UTF8_Jp, falloffModeChoice_Jp},
      {visibilityStates_UTF8_Jp, visibilityStates_Jp},
      {stEditCommandList_UTF8_Jp, stEditCommandList_Jp},
      {smoothForChoice_UTF8_Jp, smoothForChoice_Jp},
      {bindMethodChoice_UTF8_Jp, bindMethodChoice_Jp},
      {bindForChoice_UTF8_Jp, bindForChoice_Jp},
      {mirrorStrTypeChoices_UTF8_Jp, mirrorStrTypeChoices_Jp},
      {mirrorDirectionChoices_UTF8_Jp, mirrorDirectionChoices_Jp},
      {gradientInitChoice_UTF8_Jp, gradientInitChoice_Jp},
  };
  for (const auto& [utf8, sjis] : pairs) {
    ASSERT_EQ(countEntries(utf8), countEntries(sjis));
    for (size_t i = 0; utf8[i]; ++i) {
      std::string converted;
      ASSERT_TRUE(toCp932(utf8[i], converted)) << utf8[i];
      EXPECT_EQ(converted, sjis[i]) << utf8[i];
    }
  }
  int numItems = 0;
  for (int i = 0; i < kNumTextIds; ++i) {
    if (!textTable_UTF8_Jp[i]) continue;
    ++numItems;
    std::string converted;
    ASSERT_TRUE(toCp932(textTable_UTF8_Jp[i], converted));
    EXPECT_EQ(converted, textTable_Jp[i]) << textTable_UTF8_Jp[i];
  }
  EXPECT_EQ(numItems, 5);  // " (new) ", " (none) ", " (self) ", "(all others)", column title

  std::string sentence;
  ASSERT_TRUE(toCp932(u8(u8"ポイントからウェイトが取り除かれました。"), sentence));
  EXPECT_EQ(makeClampMessage(12, kJapanese), "12" + sentence);
  std::string label;
  ASSERT_TRUE(toCp932(u8(u8"ボーンにアサインされていないウェイトを無視"), label));
  EXPECT_EQ(std::string(getText(TextId::IgnoreUnassignedWeights, kJapanese, 3211)), label);
}
