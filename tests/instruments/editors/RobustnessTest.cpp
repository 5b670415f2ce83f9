// A bounded random run over the edit's readers and the save-name rule.

#include <cmath>
#include <random>

#include "instruments/editors/iCommonDialogs.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;

namespace {

std::string RandomText(std::mt19937& rng) {
  static const std::string alphabet = " 0123456789+-.eE$xX:/,*|aApPmMnNiIfF\t";
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::string s;
  for (int n = length(rng); n > 0; --n) s += alphabet[pick(rng)];
  return s;
}

TEST(EditorRobustness, ReadersGiveANumberOrTheConversionError) {
  App();
  FormGuard guard;
  TiComponentEditorEdit& edit = *guard(new TiComponentEditorEdit(nullptr));
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomText(rng);
    edit.SetAsString(text);
    const double f = edit.GetAsFloat();
    EXPECT_TRUE(std::isfinite(f)) << text;
    (void)edit.GetAsInteger();
    try {
      (void)edit.GetAsDateTime();
    } catch (const EConvertError&) {}
  }
}

TEST(EditorRobustness, SaveNamesNeverFail) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> index(-2, 6);
  for (int round = 0; round < 3000; ++round) {
    const std::string name = RandomText(rng);
    const std::string filter = RandomText(rng);
    const std::string result = SaveDialogFileName(name, filter, index(rng), RandomText(rng));
    EXPECT_EQ(result.compare(0, name.size(), name), 0) << "the chosen name is kept: " << name;
  }
}

}  // namespace
