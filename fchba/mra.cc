// Construction of FcHbaMRA: load the registry, then count its adapters.

#include "fchba/mra.h"

#include "fchba/registry.h"

FcHbaMRA::FcHbaMRA() : FcHbaMRA(FcHbaRegistry::processRegistry()) {}

FcHbaMRA::FcHbaMRA(FcHbaRegistry& registry) : registry_(registry), adapterCount_(0) {
  if (registry_.loadConfiguration() != 0)
    return;
  adapterCount_ = registry_.buildAdapterTable();
}
