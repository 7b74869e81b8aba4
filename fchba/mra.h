// FcHbaMRA: the object through which the adapters of all management
// libraries are walked. Making one loads the registry from its configuration
// and numbers the adapters.

#ifndef FCHBA_MRA_H_
#define FCHBA_MRA_H_

#include <cstdint>

class FcHbaRegistry;

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

 private:
  FcHbaRegistry& registry_;
  uint32_t adapterCount_;
};

#endif  // FCHBA_MRA_H_
