// The Dovane component: the component base with the maker's own discovery,
// kit preparation and flash.
#ifndef VENDOR_COMPONENT_H_
#define VENDOR_COMPONENT_H_

#include <string>

#include "driver/base_component.h"

namespace DovaneComp {

class CComponent : public CBaseCmp {
 public:
  using CBaseCmp::CBaseCmp;
  ~CComponent() override = default;

  bool DiscoverDevices() override;
  std::wstring NormalizeModel(const std::wstring& model) override;
  // Unpacks the flash engine kit in the working directory; always 0.
  int PrepareFlashKit() override;
  // Runs the flash engine over all adapters; the component's exit code.
  int FlashAdapters() override;
};

}  // namespace DovaneComp

#endif  // VENDOR_COMPONENT_H_
