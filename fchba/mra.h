// FcHbaMRA: the object through which the adapters of all management
// libraries are walked. Making one loads the registry from its configuration
// and numbers the adapters; the walk then hands out one loaded adapter per
// number, in order.

#ifndef FCHBA_MRA_H_
#define FCHBA_MRA_H_

#include <cstdint>
#include <memory>

#include "fchba/adapter.h"

class FcHbaRegistry;

// Status of the walk beyond the load results 0 and 1: memory ran out while an
// adapter was made or loaded.
constexpr uint32_t kWalkOutOfMemory = 2;

class FcHbaMRA {
 public:
  // Works on the process registry ("/etc/hba.conf").
  FcHbaMRA();
  // Works on `registry`, which must outlive this object and its adapters.
  explicit FcHbaMRA(FcHbaRegistry& registry);
  // Leaves every library loaded.
  virtual ~FcHbaMRA() = default;

  // The number of adapters when this object was made; 0 when the
  // configuration file could not be opened.
  uint32_t adapterCount() const { return adapterCount_; }
  FcHbaRegistry& registry() const { return registry_; }

  // Adapter 0, loaded, with `status` its load result (0 or 1); nothing when
  // there are no adapters (status 0) or memory ran out (status 2). An
  // adapter whose load failed is still returned.
  std::unique_ptr<FcHbaAdapter> getFirstAdapter(uint32_t& status);
  // The adapter after `previous`, as getFirstAdapter; nothing, with `status`
  // untouched, after the last one.
  std::unique_ptr<FcHbaAdapter> getNextAdapter(const FcHbaAdapter& previous, uint32_t& status);

 private:
  std::unique_ptr<FcHbaAdapter> loadAdapter(int32_t index, uint32_t& status);

  FcHbaRegistry& registry_;
  uint32_t adapterCount_;
};

#endif  // FCHBA_MRA_H_
