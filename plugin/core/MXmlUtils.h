#pragma once

#include <cstdint>
#include <string>

#include "host_api/IXmlService.h"

namespace plugin {

// Booleans and numbers as attributes of the host's XML elements, in the form every stored
// record of the plug-in uses ("True"/"False", decimal text with "." whatever the locale).
//
// Stored records read their numbers by different rules, and each rule has its own reader so that
// no caller borrows the wrong one. All of them take the leading number of the text (one scanner:
// "7abc" is 7, "12.5" is 12.5) and give the default for an absent or empty attribute or one
// without a leading number.
namespace MXmlUtils {

void WriteBoolean(host_api::IXmlElement& element, const std::string& name, bool value);

// True only for exactly "True". An "Override" attribute that is absent or empty counts as
// "True": records written before it existed always overrode.
bool ReadBoolean(const host_api::IXmlElement& element, const std::string& name);

void WriteInteger(host_api::IXmlElement& element, const std::string& name, int32_t value);

// Option values: the nearest integer, halves to even ("12.5" gives 12, "13.5" 14). A number
// beyond 32 bits throws platform::ComError 6.
int32_t ReadInteger(const host_api::IXmlElement& element, const std::string& name,
                    int32_t defaultValue);

// Identities and counts ("ID", "Class", "Leads", "FirstLead"): the integer part, toward zero
// ("2.9" gives 2, "-2.9" -2). A number beyond 32 bits throws platform::ComError 6.
int32_t ReadTruncatedInteger(const host_api::IXmlElement& element, const std::string& name,
                             int32_t defaultValue);

// A flag stored as a number ("SkipCalibration": "-1" and "0"): true for any number other than
// zero, so "0.4" is true.
void WriteNumericBoolean(host_api::IXmlElement& element, const std::string& name, bool value);
bool ReadNumericBoolean(const host_api::IXmlElement& element, const std::string& name,
                        bool defaultValue);

}  // namespace MXmlUtils
}  // namespace plugin
