#pragma once

#include <cstdint>
#include <memory>

#include "platform/forms/Form.h"

namespace plugin {

class CModuleSetup;

// Asks the operator to connect an applied-part module before its tests, drawing the analyzer's
// five sockets with the modules on them.
class FConnectLeads : public platform::forms::Form {
 public:
  static constexpr const char* kFormName = "FConnectLeads";
  static constexpr const char* kContinue = "cmdContinue";
  static constexpr const char* kStop = "cmdStop";
  static constexpr const char* kTitle = "lblTitle";
  static constexpr const char* kVerify = "lblVerify";
  static constexpr const char* kPress = "lblPress";
  // The lead strip, top down: module names, the lines joining each module's sockets, sockets.
  static constexpr const char* kNames = "lblModuleNames";
  static constexpr const char* kLines = "lblModuleLines";
  static constexpr const char* kSockets = "lblSockets";

  FConnectLeads();

  // Draws the modules of `modules` that have leads on consecutive sockets from `startLead`.
  void Initialize(const std::shared_ptr<CModuleSetup>& modules, int32_t startLead);
  void Display(platform::forms::Form* owner = nullptr);
  // True unless the operator confirmed the connection with Continue.
  bool Cancel_get() const { return m_cancel; }

 private:
  void build();

  // A run must not go on to apply test signals to leads nobody confirmed as connected.
  bool m_cancel = true;
};

}  // namespace plugin
