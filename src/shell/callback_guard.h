// Every entry point the host calls runs inside guardCallback: no exception may cross
// into the host, which would end Layout itself. A failure yields the host's failure
// value for that callback instead.
#pragma once
#include <exception>

template <typename R, typename F>
R guardCallback(R failureValue, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failureValue;
  }
}

template <typename F>
void guardCallbackVoid(F&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}
