#pragma once
// Waiting for a condition with a deadline, with a failure that says what
// was seen: the named value, what it was last and what was expected.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <type_traits>

namespace test_support {

// Looks at get() until it matches, calling pump() between looks; fails
// after timeoutMs.
template <class Get, class M>
::testing::AssertionResult WaitThat(const char* what, Get get, const M& matcher,
                                    const std::function<void()>& pump, int timeoutMs) {
  using Value = std::decay_t<decltype(get())>;
  const ::testing::Matcher<Value> m = ::testing::SafeMatcherCast<Value>(matcher);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const Value value = get();
    if (m.Matches(value)) return ::testing::AssertionSuccess();
    if (std::chrono::steady_clock::now() > deadline) {
      std::ostringstream expected;
      m.DescribeTo(&expected);
      return ::testing::AssertionFailure() << what << " is " << ::testing::PrintToString(value) << " after "
                                           << timeoutMs << " ms; expected: " << expected.str();
    }
    pump();
  }
}

}  // namespace test_support
