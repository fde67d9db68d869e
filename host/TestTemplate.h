#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/ElementList.h"
#include "host_api/IApplicationService.h"
#include "host_api/IConfigData.h"
#include "host_api/ILoadLog.h"
#include "host_api/IStandards.h"
#include "host_api/ITestElement.h"

namespace host {

// The host data of a template's element: (name, text) entries in order. The first entry not
// named "Orvel" carries the text of the test standard.
using HostData = std::vector<std::pair<std::string, std::string>>;

// A test template: the host's document of test elements for one device.
//
// It holds the top-level elements in order (each may be a group holding further elements), the
// host data of each top-level element, the limit standards selected for its runs, and the
// device: its name, its serial number and the device data a plug-in hands out for it
// (IPlugIn::CreateDUTData, a module setup for the analyzer's plug-in).
//
// The stored form is described in host/README.md; TemplateFile reads and writes it.
class TestTemplate {
 public:
  // The name of the host data entry that carries the standard's text.
  static constexpr const char* kStandardEntry = "Standard";
  // The class the analyzer's plug-in creates its device data by.
  static constexpr const char* kModuleSetupProgId = "orvelTRX440.CModuleSetup";

  // No standard, no device data, no elements.
  TestTemplate();

  // The standard the device is tested against, as a person wrote it ("IEC 62353:2014"), and the
  // device's protection class "I" or "II". Selects that limit standard (its id from
  // StandardNames, the class as its class name) as the only one of the template, and makes
  // ("Standard", text) the first entry of every element's host data (replacing the one held). A
  // text that names no known standard or another class is ComError 5 and changes nothing: a
  // template that silently judged against no standard would pass every reading.
  void setStandard(const std::string& standardText, const std::string& deviceClass);
  const std::string& standardText() const { return m_standardText; }
  const std::string& deviceClass() const { return m_deviceClass; }
  // The selected limit standards; never null. A caller may add more.
  const std::shared_ptr<host_api::IStandards>& standards() const { return m_standards; }

  const std::string& deviceName() const { return m_deviceName; }
  void setDeviceName(std::string name) { m_deviceName = std::move(name); }
  const std::string& serialNumber() const { return m_serialNumber; }
  void setSerialNumber(std::string serial) { m_serialNumber = std::move(serial); }
  // The device data (may be null: the template needs none) and the ProgID a loader creates it
  // by before handing it its stored element.
  const std::shared_ptr<host_api::IConfigData>& deviceData() const { return m_deviceData; }
  const std::string& deviceDataProgId() const { return m_deviceDataProgId; }
  void setDeviceData(std::shared_ptr<host_api::IConfigData> data,
                     std::string progId = kModuleSetupProgId);

  int32_t count() const { return m_elements.count(); }
  // 1-based; null outside.
  std::shared_ptr<host_api::ITestElement> element(int32_t index) const {
    return m_elements.item(index);
  }
  std::vector<std::shared_ptr<host_api::ITestElement>> elements() const {
    return m_elements.elements();
  }
  // The elements with the ProgIDs they are stored under.
  const ElementList& elementList() const { return m_elements; }
  // Appends a top-level element (`progId`: the class it was created by, when known). Its host
  // data is `data`, with ("Standard", text) put first when the template has a standard and the
  // data has no "Standard" entry. A null element or one held already is ComError 5.
  void addElement(const std::shared_ptr<host_api::ITestElement>& element, std::string progId = {},
                  HostData data = {});
  // ElementError::NoSuchChild when it is not a top-level element of the template.
  void removeElement(const std::shared_ptr<host_api::ITestElement>& element);
  // The first element with that TestID, depth first through groups.
  std::shared_ptr<host_api::ITestElement> find(int32_t testId) const {
    return m_elements.find(testId);
  }

  // The host data of `element`: of a top-level element its own, of an element inside a group
  // that of the top-level element holding it (the device's standard holds for the whole tree);
  // empty for an element the template does not hold.
  HostData elementData(const platform::Object& element) const;
  // Replaces the host data of a top-level element; ElementError::NoSuchChild for any other.
  void setElementData(const host_api::ITestElement& element, HostData data);

  // The top-level elements as the application service hands them out.
  host_api::TestElements elementObjects() const;

  // Writes the template to `path` atomically: the whole document is built first, so a failure
  // (an element that cannot be saved or whose class is unknown) leaves the file as it was.
  void save(const std::filesystem::path& path) const;
  // Reads a template. Errors are platform::ComError naming the file and, where one is at fault,
  // the element: 53 missing file, 75 unreadable or malformed, 321 not a template or a part
  // missing, 429 an unknown class. What the loaders let pass goes to `log`; without a log
  // nothing may pass, and the first such message fails the load (a template read with an
  // element left out would lose it when saved again).
  static std::shared_ptr<TestTemplate> load(const std::filesystem::path& path,
                                            host_api::ILoadLog* log = nullptr);

 private:
  const ElementList::Entry* topLevelOf(const platform::Object& element) const;

  ElementList m_elements;
  std::map<const host_api::ITestElement*, HostData> m_hostData;
  std::string m_standardText;
  std::string m_deviceClass;
  std::shared_ptr<host_api::IStandards> m_standards;
  std::string m_deviceName;
  std::string m_serialNumber;
  std::shared_ptr<host_api::IConfigData> m_deviceData;
  std::string m_deviceDataProgId = kModuleSetupProgId;
};

}  // namespace host
