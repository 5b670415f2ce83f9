#pragma once
// The main window's language tables and the lookup of a text by its key.
// A table is a list of lines: section comments ("//..."), and key lines
// ("SID_...") each followed by the line holding the key's text. Texts may
// begin or end with blanks; those blanks are part of the text.

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The values the main window's Language takes.
inline constexpr std::string_view LanguageEnglish = "English";
inline constexpr std::string_view LanguageChineseGB = "ChineseGB";
inline constexpr std::string_view LanguageChineseBIG5 = "ChineseBIG5";

// The lines of the English and of the Simplified Chinese table (what the
// hidden memos moEnglish and moSimplified hold), built once.
const std::vector<std::string>& EnglishLanguageLines();
const std::vector<std::string>& SimplifiedLanguageLines();

// The line after the first line equal to key as a whole, ignoring the case
// of ASCII letters; every line takes part, texts and comments too. A key the
// table does not hold, or one that only matches the last line (which has no
// line after it), yields the table's first line; an empty table yields "".
std::string LangTextIn(std::span<const std::string> lines, std::string_view key);

// The text of key in language: "ChineseGB" reads the Simplified table and
// "English" the English one. Any other value, "ChineseBIG5" included, has no
// table of its own and reads the English one, so a caption never ends up as
// a section comment. The tables default to the built-in ones; the main
// window passes the lines of its memos.
std::string GetLangText(std::string_view language, std::string_view key,
                        std::span<const std::string> english = EnglishLanguageLines(),
                        std::span<const std::string> simplified = SimplifiedLanguageLines());
