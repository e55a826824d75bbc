// Every entry point the host calls runs inside guardCallback: no exception may cross
// into the host, which would end Layout itself. A failure yields the host's failure
// value for that callback instead.
//
// The guard also counts how deeply the module is inside host calls. A host may deliver a
// scene event while the module is still running (inside a command the module issued);
// such an event is held back and handled when the outermost call returns, so the module
// behaves the same whether the host delivers events at once or from its event loop.
#pragma once
#include <exception>

// Module calls the host has made that have not returned yet.
inline int stCallbackDepth = 0;

// Runs what was held back while the module was busy (master_control.cpp).
void afterOutermostCallback() noexcept;

class CallbackDepth {
 public:
  CallbackDepth() noexcept { ++stCallbackDepth; }
  ~CallbackDepth() {
    if (--stCallbackDepth == 0) afterOutermostCallback();
  }
  CallbackDepth(const CallbackDepth&) = delete;
  CallbackDepth& operator=(const CallbackDepth&) = delete;
};

template <typename R, typename F>
R guardCallback(R failureValue, F&& body) noexcept {
  CallbackDepth depth;
  try {
    return body();
  } catch (...) {
    return failureValue;
  }
}

template <typename F>
void guardCallbackVoid(F&& body) noexcept {
  CallbackDepth depth;
  try {
    body();
  } catch (...) {
  }
}
