#pragma once
// What the code-table viewers need of the main window: the text of a key
// in the current interface language. The main window implements it and
// hands itself to the viewers, which lie below it.

#include <string>
#include <string_view>

class Rs232TextOwner {
 public:
  virtual ~Rs232TextOwner() = default;
  virtual std::string GetLangText(std::string_view key) const = 0;
};
