#include "plugin/config/MConfigXml.h"

#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin::MConfigXml {

std::shared_ptr<host_api::IXmlElement> AppendRecordElement(host_api::IXmlElement& owner,
                                                           const std::string& tag,
                                                           const std::string& className) {
  std::shared_ptr<host_api::IXmlElement> created;
  try {
    if (auto document = owner.ownerDocument()) {
      created = owner.appendChild(document->createElement(tag));
    }
  } catch (const platform::ComError&) {
    created.reset();  // the save error below says what failed, and for which record
  }
  if (!created) {
    MErrorConvention::RaiseOwn(MErrorConvention::ProgID(className), MPlugInErrors::errConfigSave,
                               MErrorConvention::KindFailure, {platform::Variant(className)});
  }
  return created;
}

std::shared_ptr<host_api::IXmlElement> AppendPlugInData(host_api::IXmlElement& owner,
                                                        const std::string& className) {
  auto element = AppendRecordElement(owner, PlugInDataTag, className);
  element->setAttribute(PlugInAttribute, PlugInId);
  return element;
}

int32_t ReadInteger(const host_api::IXmlElement* element, const std::string& name,
                    int32_t defaultValue) {
  if (!element) return defaultValue;
  try {
    return MXmlUtils::ReadInteger(*element, name, defaultValue);
  } catch (const platform::ComError& error) {
    if (error.number() != platform::RuntimeError::Overflow) throw;
    throw platform::ComError(error.number(), error.source(),
                             error.description() + ": attribute \"" + name + "\" of element \"" +
                                 element->tagName() + "\" = \"" +
                                 element->getAttribute(name).value_or("") + "\"");
  }
}

bool ReadBoolean(const host_api::IXmlElement* element, const std::string& name) {
  // A missing child stands for an element without attributes (where "Override" reads true).
  if (!element) return name == "Override";
  return MXmlUtils::ReadBoolean(*element, name);
}

void DialogNotAvailable(const std::string& className, const std::string& formName) {
  throw platform::ComError(platform::RuntimeError::ClassNotRegistered,
                           MErrorConvention::ProgID(className),
                           "The configuration dialog " + formName + " is not available");
}

}  // namespace plugin::MConfigXml
