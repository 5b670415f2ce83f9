// The language tables and the lookup by key: the tables' shape, texts in both
// languages (blanks kept), the whole-line case-blind match over every line,
// and what unknown keys and languages yield.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/FMainLanguage.h"

namespace {

constexpr std::string_view MenuLine = "//---------------------- Menu ------------------------";

bool IsKeyLine(const std::string& line) {
  if (line.size() < 5 || line.compare(0, 4, "SID_") != 0) return false;
  return std::all_of(line.begin() + 4, line.end(),
                     [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; });
}

// The keys of a table in order, checking its shape on the way: the menu
// comment first, then comments and key/text pairs, then one empty line.
std::vector<std::string> KeysOf(const std::vector<std::string>& lines) {
  std::vector<std::string> keys;
  EXPECT_GE(lines.size(), 3u);
  if (lines.size() < 3) return keys;
  EXPECT_EQ(lines.front(), MenuLine);
  EXPECT_EQ(lines.back(), "");
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.starts_with("//")) continue;
    EXPECT_TRUE(IsKeyLine(line)) << "line " << i << ": '" << line << "'";
    keys.push_back(line);
    ++i;  // its text
    EXPECT_LT(i + 1, lines.size()) << "key without text: " << line;
    if (i + 1 < lines.size()) {
      EXPECT_FALSE(lines[i].empty()) << "empty text of " << line;
    }
  }
  return keys;
}

TEST(LanguageTables, HaveTheirShapeAndTheSameKeys) {
  std::vector<std::string> english = KeysOf(EnglishLanguageLines());
  std::vector<std::string> chinese = KeysOf(SimplifiedLanguageLines());
  EXPECT_EQ(english.size(), 177u);
  EXPECT_EQ(english.front(), "SID_FILE");
  EXPECT_EQ(english.back(), "SID_FACTORY_DEFAULT");
  std::vector<std::string> unique = english;
  std::sort(unique.begin(), unique.end());
  EXPECT_EQ(std::adjacent_find(unique.begin(), unique.end()), unique.end()) << "a key twice";
  std::sort(english.begin(), english.end());
  std::sort(chinese.begin(), chinese.end());
  EXPECT_EQ(english, chinese);

  // Section comments open their groups: the file group right after the menu line.
  const std::vector<std::string>& lines = EnglishLanguageLines();
  EXPECT_EQ(lines[1], "//------ File ------");
  EXPECT_EQ(lines[2], "SID_FILE");
  auto eqType = std::find(lines.begin(), lines.end(), "// EQ Type");
  ASSERT_NE(eqType, lines.end());
  EXPECT_EQ(*(eqType + 1), "SID_EQ_TYPE0");
  EXPECT_EQ(*(eqType - 2), "SID_COMP_RATIO");
}

struct TextCase {
  std::string_view Key;
  std::string_view English;
  std::string_view Chinese;
};

TEST(LanguageTables, TextsOfBothLanguages) {
  const TextCase cases[] = {
      {"SID_FILE", "File", "文件"},
      {"SID_RETRUN_FACTORY", "Factory Default", "恢复出厂设置"},
      {"SID_BLOCK", "Diagram", "框图"},
      {"SID_DISCONNECT", "Disconnect", "断开机器"},
      {"SID_CONNECT", "Connect", "连接机器"},
      {"SID_LANGUAGE", "语言", "Language"},
      {"SID_CHINESE_SIMPLIFIED", "中文", "中文"},
      {"SID_CHINESE_TRODITIONAL", "Troditional Chinese", "Troditional Chinese"},
      {"SID_ENGLISH", "English", "English"},
      {"SID_ONLINE", "OnLine", "已连机"},
      {"SID_OFFLINE", "OffLine", "未连机"},
      {"SID_PARAM_KEY", "Frequency  ( ← / → )      Q(＋/－)     Gain (  ↑ / ↓  )",
       "频率  ( ← / → )      Q(＋/－)     增益 (  ↑ / ↓  )"},
      {"SID_PHASE_ON", "Inverse", "反相"},
      {"SID_GATE", "Gate", "噪声门"},
      {"SID_COMP", "Compressor", "压缩器"},
      {"SID_EQ_TYPE6", "Allpass2", "全通2"},
      {"SID_EQ_BYPASS", "Bypass", "旁通"},
      {"SID_UPLOAD_PRESET", "Upload preset now , please wait...", "上传预设中 , 请稍候..."},
      {"SID_NO_DEVICE", "No Device found.", "未发现USB硬件，确认进入演示模式。"},
      {"SID_LINK_BROKEN", "Link Broken", "软件已断开连机"},
      {"SID_EXIT_QUIT", "Are you sure to quit ?", "您确定要退出吗 ?"},
      {"SID_INFO_ERROR_UNIT", "Unit's Type Error !!", "机台型号不符 !!"},
      {"SID_FACTORY_DEFAULT", "Are you Sure to Return Factory Default?", "确定要恢复机器出厂设置?"},
      // Leading blanks belong to the text.
      {"SID_INPUT_ID", " Input ID Number", " 输入ID号"},
      {"SID_NAME", "    Name", "    名称"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(GetLangText(LanguageEnglish, c.Key), c.English) << c.Key;
    EXPECT_EQ(GetLangText(LanguageChineseGB, c.Key), c.Chinese) << c.Key;
  }
  const std::string title = GetLangText(LanguageEnglish, "SID_EQ_PARAM_TITLE");
  EXPECT_TRUE(title.starts_with("  PEQ       Frequency")) << title;
  EXPECT_TRUE(title.ends_with("Type                 Bypass")) << title;
}

TEST(LanguageTables, LookupMatchesWholeLinesIgnoringCase) {
  struct Case {
    std::string_view Key;
    std::string_view Expected;
  };
  const Case cases[] = {
      {"sid_online", "OnLine"},
      {"Sid_Link_Broken", "Link Broken"},
      // Texts and comments take part: the first equal line wins.
      {"Exit", "SID_EXIT"},  // the text of SID_FILE_EXIT
      {"connect", "SID_CONNECT_HELP"},
      {"//------ File ------", "SID_FILE"},
      {"Sid_Eq_Bypass", "Bypass"},
      // Not found: the first line.
      {"SID_NO_SUCH_KEY", MenuLine},
      {"SID_FIL", MenuLine},
      {"SID_FILE ", MenuLine},
      {" SID_FILE", MenuLine},
      // The empty key only matches the closing empty line, which has nothing after it.
      {"", MenuLine},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetLangText(LanguageEnglish, c.Key), c.Expected) << "'" << c.Key << "'";
    EXPECT_EQ(LangTextIn(EnglishLanguageLines(), c.Key), c.Expected) << "'" << c.Key << "'";
  }
  EXPECT_EQ(GetLangText(LanguageChineseGB, "sid_online"), "已连机");
  EXPECT_EQ(GetLangText(LanguageChineseGB, "SID_NO_SUCH_KEY"), MenuLine);
  // A matched line's neighbour is returned whatever it holds.
  EXPECT_EQ(GetLangText(LanguageChineseGB, "取消"), "//------ PeqRst Form ------");
}

TEST(LanguageTables, LanguagesWithoutATableReadEnglish) {
  for (std::string_view language : {LanguageChineseBIG5, std::string_view("Klingon"), std::string_view()})
    EXPECT_EQ(GetLangText(language, "SID_LINK_BROKEN"), "Link Broken") << language;
  EXPECT_EQ(GetLangText("chinesegb", "SID_LINK_BROKEN"), "Link Broken");
}

TEST(LanguageTables, LookupOverGivenLines) {
  const std::vector<std::string> english = {"//first", "SID_A", "a", "SID_LAST"};
  const std::vector<std::string> chinese = {"//eerste", "SID_A", "甲", ""};
  EXPECT_EQ(GetLangText(LanguageEnglish, "SID_A", english, chinese), "a");
  EXPECT_EQ(GetLangText(LanguageChineseGB, "SID_A", english, chinese), "甲");
  // A key on the last line has no text after it.
  EXPECT_EQ(GetLangText(LanguageEnglish, "sid_last", english, chinese), "//first");
  EXPECT_EQ(LangTextIn({}, "SID_A"), "");
  const std::vector<std::string> single = {"SID_A"};
  EXPECT_EQ(LangTextIn(single, "SID_A"), "SID_A");
}

}  // namespace
