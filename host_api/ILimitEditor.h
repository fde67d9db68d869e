#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>

#include "platform/Object.h"
#include "platform/Variant.h"

namespace host_api {

// The host's limit editor control ("OrvelView.XLimitView"), which a plug-in fills with one row
// per limit key and then hands the limit data it edits. It is a control of the plug-in's setup
// dialog (ICustomControl) as well.
class ORVEL_HOST_API ILimitEditor : public platform::Object {
 public:
  ~ILimitEditor() override;

  // One row: the limit key, its description as shown, its unit and a note.
  virtual void AddRow(const std::string& key, const std::string& description, std::string& unit,
                      const std::string& note) = 0;
  virtual void ClearRows() = 0;
  // Shows the standards of `limitData` (an ILimitData) for the rows given; `flags` as the host
  // passes them to dialogs.
  virtual void SetLimitData(const platform::Variant& limitData, int32_t flags) = 0;
};

}  // namespace host_api
