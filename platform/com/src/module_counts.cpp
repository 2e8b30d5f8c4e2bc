#include "com/object.h"

namespace com {

std::atomic<long>& module_object_count() {
  static std::atomic<long> count{0};
  return count;
}

std::atomic<long>& module_lock_count() {
  static std::atomic<long> count{0};
  return count;
}

} // namespace com
