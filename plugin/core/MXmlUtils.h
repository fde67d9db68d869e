#pragma once

#include <cstdint>
#include <string>

#include "host_api/IXmlService.h"

namespace plugin {

// Booleans and integers as attributes of the host's XML elements, in the form every stored
// record of the plug-in uses ("True"/"False", decimal text).
namespace MXmlUtils {

void WriteBoolean(host_api::IXmlElement& element, const std::string& name, bool value);

// True only for exactly "True". An "Override" attribute that is absent or empty counts as
// "True": records written before it existed always overrode.
bool ReadBoolean(const host_api::IXmlElement& element, const std::string& name);

void WriteInteger(host_api::IXmlElement& element, const std::string& name, int32_t value);

// The nearest integer (halves to even) to the leading number of the text: "12.5" gives 12,
// "13.5" 14, "7abc" 7. An absent or empty attribute, or one without a leading number, gives
// `defaultValue`; a number beyond 32 bits throws platform::ComError 6.
int32_t ReadInteger(const host_api::IXmlElement& element, const std::string& name,
                    int32_t defaultValue);

}  // namespace MXmlUtils
}  // namespace plugin
