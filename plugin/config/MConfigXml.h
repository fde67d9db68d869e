#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IXmlService.h"

namespace plugin {

// What the option records and configurations share when they read and write their elements.
namespace MConfigXml {

// The element that configurations write, and the attribute that marks it as the plug-in's.
inline constexpr const char* PlugInDataTag = "PlugInData";
inline constexpr const char* PlugInAttribute = "PlugIn";

// Appends a new element `tag` to `owner` and returns it. When it cannot be made (an owner
// outside any document, a name the document refuses) the configuration-save error is raised
// from `className`, with the class name as its argument.
std::shared_ptr<host_api::IXmlElement> AppendRecordElement(host_api::IXmlElement& owner,
                                                           const std::string& tag,
                                                           const std::string& className);

// Appends the configuration's element "PlugInData" marked as the plug-in's to `owner`; fails as
// AppendRecordElement does.
std::shared_ptr<host_api::IXmlElement> AppendPlugInData(host_api::IXmlElement& owner,
                                                        const std::string& className);

// An option value as MXmlUtils::ReadInteger reads it, from `element` (which may be null: a
// child the element did not have gives the default). A number beyond 32 bits fails with the
// overflow error, whose description then names the element and attribute, so that whoever
// edited the file finds the value.
int32_t ReadInteger(const host_api::IXmlElement* element, const std::string& name,
                    int32_t defaultValue);

// A Boolean as MXmlUtils::ReadBoolean reads it; a child that is missing reads as an absent
// attribute.
bool ReadBoolean(const host_api::IXmlElement* element, const std::string& name);

// The configuration dialogs are not part of this build yet. Rather than show an empty frame
// that edits nothing, asking for one fails with "class not registered" naming the form, and
// the host shows that and gets no dialog.
[[noreturn]] void DialogNotAvailable(const std::string& className, const std::string& formName);

}  // namespace MConfigXml
}  // namespace plugin
