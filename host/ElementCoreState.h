#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host_api/IElementCore.h"

namespace host {

// The state every element core holds, and how it is copied, loaded, saved and printed.
//
// XML ("TestElement", appended to the owner by Save):
//   <TestElement PlugIn="TRX440" TestID="100" ID="7">
//     <Info .../> <Filter .../>
//     <PlugInData PlugIn="TRX440">...</PlugInData>    the configuration's own element
//     <ExpectedResult>...</ExpectedResult>            the limits'
//     <ResultItem>...</ResultItem>                    the result's
//     <TestElement ClassName="orvelTRX440.CTestSingle" .../>   children of a container
//   </TestElement>
// The configuration, limits and result each write and read their own element; the core hands
// the first child of that name to the object it holds (or logs that it holds none).
class ElementCoreState {
 public:
  using ChildrenHook = std::function<void(const host_api::IXmlElement&, host_api::ILoadLog*)>;
  using SaveHook = std::function<void(host_api::IXmlElement&)>;

  void initialize(const std::string& plugInId, int32_t testId, int32_t id);
  void copyFrom(const host_api::IElementCore& other);
  // "TestElement" or "ResultItem"; `children` reads a container's children.
  void load(const host_api::IXmlElement& element, host_api::ILoadLog* log,
            const ChildrenHook& children);
  std::shared_ptr<host_api::IXmlElement> save(host_api::IXmlElement& owner,
                                              const SaveHook& children) const;
  void printReport(host_api::IReport* report) const;
  void terminate();

  std::string plugInId;
  int32_t testId = 0;
  int32_t id = 0;
  std::weak_ptr<host_api::ITestElement> parent;
  std::shared_ptr<host_api::ITestInformation> info;
  std::shared_ptr<host_api::IElementFilter> filter;
  std::shared_ptr<host_api::IConfigData> configuration;
  std::shared_ptr<host_api::ILimitData> limits;
  std::shared_ptr<host_api::IResultData> result;

  ElementCoreState();

 private:
  void loadIdentity(const host_api::IXmlElement& element);
  void loadParts(const host_api::IXmlElement& element, host_api::ILoadLog* log) const;
};

}  // namespace host
