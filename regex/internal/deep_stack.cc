// Running the rest of a deep recursion on a fresh stack segment; see
// deep_stack.h.
#include "regex/internal/deep_stack.h"

#include <pthread.h>

namespace regex_internal {
namespace {

struct SegmentCall {
  DeepStack* stack;
  void (*fn)(void*);
  void* arg;
  uintptr_t* limit;
};

}  // namespace

void* DeepStack::segmentMain(void* arg) {
  auto* call = static_cast<SegmentCall*>(arg);
  *call->limit = currentFrame() - (kSegmentSize - kSegmentReserve);
  call->fn(call->arg);
  return nullptr;
}

bool DeepStack::runRaw(void (*fn)(void*), void* arg) {
  if (segments_ >= kMaxSegments) return false;
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setstacksize(&attr, kSegmentSize);
  uintptr_t savedLimit = limit_;
  ++segments_;
  SegmentCall call{this, fn, arg, &limit_};
  pthread_t thread;
  int rc = pthread_create(&thread, &attr, &DeepStack::segmentMain, &call);
  pthread_attr_destroy(&attr);
  if (rc == 0) pthread_join(thread, nullptr);
  --segments_;
  limit_ = savedLimit;
  return rc == 0;
}

}  // namespace regex_internal
