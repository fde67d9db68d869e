#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <optional>
#include <string>

// Puts the process under a German locale (decimal comma) for its lifetime, as a desktop front end
// does that takes its locale from the environment: both the C locale (setlocale) and the global
// C++ locale. Both are restored afterwards. `installed()` is false, and nothing is changed, when
// de_DE.UTF-8 is not installed on the machine.
class ScopedGermanLocale {
 public:
  ScopedGermanLocale() : m_previousC(std::setlocale(LC_ALL, nullptr)) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
      m_previousCpp = std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~ScopedGermanLocale() {
    if (m_previousCpp) std::locale::global(*m_previousCpp);
    std::setlocale(LC_ALL, m_previousC.c_str());
  }
  ScopedGermanLocale(const ScopedGermanLocale&) = delete;
  ScopedGermanLocale& operator=(const ScopedGermanLocale&) = delete;

  bool installed() const { return m_previousCpp.has_value(); }

 private:
  std::string m_previousC;
  std::optional<std::locale> m_previousCpp;
};

#define SKIP_UNLESS_INSTALLED(locale) \
  if (!(locale).installed()) GTEST_SKIP() << "de_DE.UTF-8 is not installed"

// Test base whose every test runs under the German locale.
class GermanLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    m_locale.emplace();
    SKIP_UNLESS_INSTALLED(*m_locale);
  }
  void TearDown() override { m_locale.reset(); }

 private:
  std::optional<ScopedGermanLocale> m_locale;
};
