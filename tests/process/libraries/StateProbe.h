#pragma once

// What a library loaded into the process sees of the process-wide state: the addresses of the
// loop, the screen and the host services it would use.
struct ProcessState {
  const void* loop = nullptr;
  const void* screen = nullptr;
  const void* hostServices = nullptr;
};

using ReadProcessStateFunction = ProcessState (*)();
constexpr const char* kReadProcessStateSymbol = "orvelReadProcessState";
