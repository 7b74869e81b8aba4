// FcHbaMRA: load the registry, count its adapters, and walk them.

#include "fchba/mra.h"

#include <new>

#include "fchba/registry.h"

FcHbaMRA::FcHbaMRA() : FcHbaMRA(FcHbaRegistry::processRegistry()) {}

FcHbaMRA::FcHbaMRA(FcHbaRegistry& registry) : registry_(registry), adapterCount_(0) {
  if (registry_.loadConfiguration() != 0)
    return;
  adapterCount_ = registry_.buildAdapterTable();
}

std::unique_ptr<FcHbaAdapter> FcHbaMRA::getFirstAdapter(uint32_t& status) {
  status = 0;
  if (adapterCount_ == 0)
    return nullptr;
  return loadAdapter(0, status);
}

std::unique_ptr<FcHbaAdapter> FcHbaMRA::getNextAdapter(const FcHbaAdapter& previous,
                                                       uint32_t& status) {
  int64_t next = static_cast<int64_t>(previous.index) + 1;
  if (next < 0 || next >= static_cast<int64_t>(adapterCount_))
    return nullptr;
  return loadAdapter(static_cast<int32_t>(next), status);
}

std::unique_ptr<FcHbaAdapter> FcHbaMRA::loadAdapter(int32_t index, uint32_t& status) {
  // Running out of memory ends the walk rather than the process.
  try {
    auto adapter = std::make_unique<FcHbaAdapter>(registry_);
    adapter->index = index;
    status = static_cast<uint32_t>(adapter->loadAttributes());
    adapter->loadVendorIdentity();
    return adapter;
  } catch (const std::bad_alloc&) {
    status = kWalkOutOfMemory;
    return nullptr;
  }
}
