#pragma once

#include "error.h"

#include <gtest/gtest.h>

#include <functional>

namespace tamix::test {

// Succeeds when `work` raises tamix::Error with the expected code.
inline ::testing::AssertionResult fails_with(int expected, const std::function<void()>& work) {
  try {
    work();
  } catch (const Error& error) {
    if (error.code() == expected)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "code " << error.code() << " (" << error.what() << "), expected " << expected;
  }
  return ::testing::AssertionFailure() << "no error, expected " << expected;
}

} // namespace tamix::test
