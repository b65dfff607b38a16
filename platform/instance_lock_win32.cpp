#include "platform/instance_lock.h"

#include <windows.h>

namespace cartulon {

namespace {

HANDLE MutexOf(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

}  // namespace

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::Held() const { return native_ != -1; }

void InstanceLock::Release() {
  if (native_ != -1) {
    ReleaseMutex(MutexOf(native_));
    CloseHandle(MutexOf(native_));
    native_ = -1;
  }
}

// The start-up's own steps: open an existing mutex of that name (another
// instance holds it), else create it owned; ERROR_ALREADY_EXISTS means that
// another instance created it in between. The folder is a POSIX matter.
LockResult InstanceLock::Acquire(std::string_view name, const std::string&) {
  Release();
  const std::string mutexName(name);
  if (HANDLE existing = OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str())) {
    CloseHandle(existing);
    return LockResult::HeldElsewhere;
  }
  HANDLE created = CreateMutexA(nullptr, TRUE, mutexName.c_str());
  if (created == nullptr) {
    // A mutex of another user that this one may not open is held all the same.
    return GetLastError() == ERROR_ACCESS_DENIED ? LockResult::HeldElsewhere
                                                 : LockResult::Unavailable;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(created);
    return LockResult::HeldElsewhere;
  }
  native_ = reinterpret_cast<std::intptr_t>(created);
  return LockResult::Acquired;
}

}  // namespace cartulon
