#include "plugin/core/CNamedProperties.h"

#include "plugin/core/MErrorConvention.h"

namespace plugin {

namespace {
// The refusals of the table go on as they are: their descriptions already say what was wrong.
template <typename Body>
auto guarded(const CPropertyTable& table, Body&& body) -> decltype(body()) {
  namespace E = host_api::PropertyError;
  return MErrorConvention::Guarded(
      table.Source(), {E::TypeMismatch, E::InvalidValue, E::ReadOnly, E::UnknownName}, body);
}
}  // namespace

CPropertyTable CNamedProperties::table() const {
  return const_cast<CNamedProperties*>(this)->PropertyTable();
}

std::vector<std::string> CNamedProperties::PropertyNames() const { return table().Names(); }

platform::Variant CNamedProperties::Property_get(const std::string& name) const {
  const CPropertyTable properties = table();
  return guarded(properties, [&] { return properties.Get(name); });
}

std::string CNamedProperties::PropertyText_get(const std::string& name) const {
  const CPropertyTable properties = table();
  return guarded(properties, [&] { return properties.Text(name); });
}

std::string CNamedProperties::PropertyRange_get(const std::string& name) const {
  const CPropertyTable properties = table();
  return guarded(properties, [&] { return properties.Range(name); });
}

void CNamedProperties::PropertyText_let(const std::string& name, const std::string& text) {
  CPropertyTable properties = PropertyTable();
  guarded(properties, [&] { properties.LetText(name, text); });
}

void CNamedProperties::Property_let(const std::string& name, const platform::Variant& value) {
  CPropertyTable properties = PropertyTable();
  guarded(properties, [&] { properties.Let(name, value); });
}

}  // namespace plugin
