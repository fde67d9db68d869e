#include "plugin/guide/ITestGuide.h"

#include <utility>

#include "plugin/guide/FTestGuide.h"

namespace plugin {

ITestGuide::~ITestGuide() = default;

namespace MGlobalTestGuide {

namespace {
std::shared_ptr<ITestGuide>& openGuide() {
  static std::shared_ptr<ITestGuide> guide;
  return guide;
}

// The plug-in's own guide, loaded and initialised for the owner and the run.
std::shared_ptr<ITestGuide> newTestGuide(const std::shared_ptr<host_api::ITestElement>& owner,
                                         host_api::ITestRun* testRun) {
  auto guide = std::make_shared<FTestGuide>();
  guide->Initialize(owner, testRun);
  return guide;
}

}  // namespace

GuideFactory& guideFactorySlot() {
  static GuideFactory factory = newTestGuide;
  return factory;
}

std::shared_ptr<ITestGuide> CurrentTestGuide() { return openGuide(); }

bool OpenTestGuide(const std::shared_ptr<host_api::ITestElement>& owner,
                   host_api::ITestRun* testRun) {
  if (openGuide() || !guideFactorySlot()) return false;
  openGuide() = guideFactorySlot()(owner, testRun);
  return openGuide() != nullptr;
}

void CloseTestGuide() {
  // Let go of the reference first: a guide that closes itself finds none open.
  auto guide = std::exchange(openGuide(), nullptr);
}

GuideFactoryOverride::GuideFactoryOverride(GuideFactory factory)
    : m_previous(std::exchange(guideFactorySlot(), std::move(factory))) {}

GuideFactoryOverride::~GuideFactoryOverride() {
  CloseTestGuide();
  guideFactorySlot() = std::move(m_previous);
}

}  // namespace MGlobalTestGuide
}  // namespace plugin
