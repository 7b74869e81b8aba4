#include "vendor/component.h"

namespace DovaneComp {

bool CComponent::DiscoverDevices() {
  // Adapters are learnt from the flash engine's inventory query, which this
  // component does not run yet: nothing is found, which is no failure.
  return true;
}

std::wstring CComponent::NormalizeModel(const std::wstring& model) {
  return model.substr(0, model.find(L' '));
}

}  // namespace DovaneComp
