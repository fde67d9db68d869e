#pragma once

#include <filesystem>
#include <memory>

#include "host/HostPlugIn.h"
#include "host/TestTemplate.h"

namespace orvel {

// What every orvel command works with: the analyzer's plug-in, loaded and initialised as the
// host loads it, and the template open in the host (the one its application service answers
// for, so that the plug-in sees the elements of the template being built).
class OrvelSession {
 public:
  // Loads the plug-in (ORVEL_PLUGIN, else beside the program, else the build tree's).
  OrvelSession();
  ~OrvelSession();
  OrvelSession(const OrvelSession&) = delete;
  OrvelSession& operator=(const OrvelSession&) = delete;

  host_api::IPlugIn& plugIn() const { return *m_plugIn.plugIn(); }

  // Reads a template and makes it the open one.
  std::shared_ptr<host::TestTemplate> openTemplate(const std::filesystem::path& file);
  // Makes `testTemplate` the open one (after its elements changed, too).
  void setOpenTemplate(const std::shared_ptr<host::TestTemplate>& testTemplate);

 private:
  void handDeviceDataToPlugIn(host::TestTemplate& testTemplate);

  host::HostPlugIn m_plugIn;
  std::shared_ptr<host::TestTemplate> m_open;
};

}  // namespace orvel
