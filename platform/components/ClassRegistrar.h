#pragma once

#include "platform/PlatformExport.h"

#include <functional>
#include <memory>
#include <string>

#include "platform/Object.h"

namespace platform::components {

// Makes a new object of one class.
using Factory = std::function<std::shared_ptr<Object>()>;

// What a component library's entry point hands its classes to. It is called through its
// virtual table only, so a library needs no symbol of the program that loads it.
class ORVEL_PLATFORM_API ClassRegistrar {
 public:
  virtual ~ClassRegistrar();  // defined in the library: one virtual table per process
  virtual void registerClass(const std::string& progId, Factory factory) = 0;
};

// The one C entry point every component library exports: it registers each of its classes
// under its ProgID.
using RegisterClassesFunction = void (*)(ClassRegistrar& registrar);
constexpr const char* kRegisterClassesSymbol = "orvelRegisterClasses";

}  // namespace platform::components

// Defines a library's entry point:
//   ORVEL_COMPONENT_ENTRY(registrar) { registrar.registerClass("lib.CThing", [] { ... }); }
#define ORVEL_COMPONENT_ENTRY(registrar)                                       \
  extern "C" __attribute__((visibility("default"))) void orvelRegisterClasses( \
      ::platform::components::ClassRegistrar& registrar)
