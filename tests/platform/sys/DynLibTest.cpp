#include <clocale>
#include <cstring>
#include <utility>

#include <gtest/gtest.h>

#include "platform/sys/DynLib.h"
#include "platform/sys/Locale.h"
#include "platform/sys/SysUtils.h"

TEST(DynLib, LoadsALibraryAndLooksUpItsSymbols) {
  sys::DynLib lib("libm.so.6");
  ASSERT_TRUE(lib.Loaded()) << lib.LastError();
  EXPECT_TRUE(lib.LastError().empty());
  double (*cosine)(double) = nullptr;
  ASSERT_TRUE(lib.Resolve("cos", cosine));
  EXPECT_EQ(cosine(0.0), 1.0);

  // All-or-nothing tables: one missing entry spoils the flag.
  double (*missing)(double) = reinterpret_cast<double (*)(double)>(1);
  bool ok = lib.Resolve("sqrt", cosine);
  ok &= lib.Resolve("no_such_symbol_here", missing);
  EXPECT_FALSE(ok);
  EXPECT_EQ(missing, nullptr);
  EXPECT_FALSE(lib.LastError().empty());

  sys::DynLib moved(std::move(lib));
  EXPECT_FALSE(lib.Loaded());
  EXPECT_TRUE(moved.Loaded());
  EXPECT_NE(moved.Symbol("sin"), nullptr);
  moved.Free();
  EXPECT_FALSE(moved.Loaded());
  EXPECT_EQ(moved.Symbol("sin"), nullptr);
}

TEST(DynLib, MissingLibraryFailsCleanly) {
  sys::DynLib lib;
  EXPECT_FALSE(lib.Load("libtavo-does-not-exist.so.0"));
  EXPECT_FALSE(lib.Loaded());
  EXPECT_FALSE(lib.LastError().empty());
  EXPECT_EQ(lib.Symbol("anything"), nullptr);
  EXPECT_FALSE(lib.Load(""));
  EXPECT_TRUE(sys::DynLib::IsAvailable("libc.so.6"));
  EXPECT_TRUE(sys::DynLib::IsAvailable("libc.so.6", "malloc"));
  EXPECT_FALSE(sys::DynLib::IsAvailable("libc.so.6", "no_such_symbol_here"));
  EXPECT_FALSE(sys::DynLib::IsAvailable("libtavo-does-not-exist.so.0"));
}

TEST(Locale, NumericLocaleIsForcedToC) {
  std::setlocale(LC_ALL, "C.UTF-8");
  sys::ForceCNumericLocale();
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_EQ(FloatToStrF(1.5, ffFixed, 15, 2), "1.50");
}
