#pragma once
// The message of the exception a call raises, or "<nothing raised>".

#include <functional>
#include <string>

#include "platform/sys/SysUtils.h"

namespace test_support {

inline std::string RaisedMessage(const std::function<void()>& Fn) {
  try {
    Fn();
  } catch (const Exception& e) {
    return e.what();
  }
  return "<nothing raised>";
}

}  // namespace test_support
