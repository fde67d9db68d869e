#include "host/ElementCoreState.h"

#include <algorithm>

#include "host/HostElementFilter.h"
#include "host/HostTestInformation.h"
#include "host/MNumberText.h"
#include "platform/ComError.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.ElementCore";
constexpr const char* kElement = "TestElement";
constexpr const char* kResult = "ResultItem";

[[noreturn]] void fail(int32_t number, const std::string& why) {
  throw platform::ComError(number, kSource, why);
}

void logWrite(host_api::ILoadLog* log, const std::string& message) {
  if (log) log->Write(message);
}

// Hands the first child named `name` to `load`, or notes that nobody takes it.
template <typename Part>
void loadPart(const host_api::IXmlElement& element, const char* name, const Part& part,
              host_api::ILoadLog* log) {
  auto child = element.findChild(name);
  if (!child) return;
  if (part) {
    part->Load(*child, log);
  } else {
    logWrite(log, std::string("The element holds no object for \"") + name +
                      "\"; the stored data was ignored.");
  }
}

}  // namespace

ElementCoreState::ElementCoreState()
    : info(std::make_shared<HostTestInformation>()),
      filter(std::make_shared<HostElementFilter>()) {}

void ElementCoreState::initialize(const std::string& newPlugInId, int32_t newTestId,
                                  int32_t newId) {
  plugInId = newPlugInId;
  testId = newTestId;
  id = newId;
}

void ElementCoreState::copyFrom(const host_api::IElementCore& other) {
  initialize(other.PlugInID_get(), other.TestID_get(), other.ID_get());
  auto otherInfo = other.Info_get();
  auto otherFilter = other.Filter_get();
  auto otherConfiguration = other.Configuration_get();
  info = otherInfo ? otherInfo->Clone() : std::make_shared<HostTestInformation>();
  filter = otherFilter ? otherFilter->Clone() : std::make_shared<HostElementFilter>();
  configuration = otherConfiguration ? otherConfiguration->Clone() : nullptr;
}

void ElementCoreState::loadIdentity(const host_api::IXmlElement& element) {
  auto storedPlugIn = element.getAttribute("PlugIn").value_or("");
  if (!plugInId.empty() && !storedPlugIn.empty() && storedPlugIn != plugInId) {
    fail(host_api::ElementError::OtherPlugIn,
         "The element was stored by \"" + storedPlugIn + "\", not by \"" + plugInId + "\"");
  }
  auto testIdText = element.getAttribute("TestID");
  if (!testIdText) fail(host_api::ElementError::MissingAttribute, "\"TestID\" is missing");
  auto storedTestId = MNumberText::parseLong(*testIdText);
  if (!storedTestId) {
    fail(platform::RuntimeError::TypeMismatch, "\"TestID\" is not a number: " + *testIdText);
  }
  auto storedId = MNumberText::parseLong(element.getAttribute("ID").value_or(""));
  if (plugInId.empty()) plugInId = storedPlugIn;
  testId = *storedTestId;
  if (storedId) id = *storedId;
}

void ElementCoreState::loadParts(const host_api::IXmlElement& element,
                                 host_api::ILoadLog* log) const {
  info->Load(element);
  filter->Load(element);
  loadPart(element, "PlugInData", configuration, log);
  loadPart(element, "ExpectedResult", limits, log);
  loadPart(element, kResult, result, log);
}

void ElementCoreState::load(const host_api::IXmlElement& element, host_api::ILoadLog* log,
                            const ChildrenHook& children) {
  auto name = element.tagName();
  if (name == kResult) {
    if (!result) fail(platform::RuntimeError::ObjectRequired, "The element holds no result");
    result->Load(element, log);
    return;
  }
  if (name != kElement) {
    fail(host_api::ElementError::NotAnElement, "\"" + name + "\" is not a test element");
  }
  loadIdentity(element);
  loadParts(element, log);
  if (children) children(element, log);
}

std::shared_ptr<host_api::IXmlElement> ElementCoreState::save(host_api::IXmlElement& owner,
                                                              const SaveHook& children) const {
  auto element = owner.appendNewChild(kElement);
  element->setAttribute("PlugIn", plugInId);
  element->setAttribute("TestID", std::to_string(testId));
  element->setAttribute("ID", std::to_string(id));
  info->Save(*element);
  filter->Save(*element);
  if (configuration) configuration->Save(*element);
  if (limits) limits->Save(*element);
  if (result) result->Save(*element);
  if (children) children(*element);
  return element;
}

void ElementCoreState::printReport(host_api::IReport* report) const {
  if (!report) return;
  auto clean = [&](const std::string& text) { return report->ReplaceChars(text, "|;{}", " ,()"); };
  const int32_t width = report->Query(host_api::ReportQuery::UsableWidth);
  const std::string layout = "<2240|<!" + std::to_string(std::max(width - 2240, 560)) + ";";
  std::string body;
  if (!info->Type_get().empty())
    body += "|" + clean(info->Type_get()) + "|" + clean(info->Parameter_get()) + ";";
  if (!info->Description_get().empty()) body += "||" + clean(info->Description_get()) + ";";
  report->Table(layout, "|{\\i\\b " + clean(info->Name_get()) + "}|;", body);
  if (configuration) configuration->PrintReport(report);
}

void ElementCoreState::terminate() {
  parent.reset();
  configuration.reset();
  limits.reset();
  result.reset();
}

}  // namespace host
