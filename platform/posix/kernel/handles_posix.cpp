// The handle table and CloseHandle.
#include "platform/posix/kernel/kernel_posix.h"

#include <cstdint>
#include <map>
#include <memory>

namespace posix {
namespace {

// Handle values look like Windows ones: small multiples of four, never 0 or -1.
constexpr uintptr_t kFirstHandle = 0x100;
constexpr uintptr_t kHandleStep = 4;

struct HandleTable {
  std::map<uintptr_t, std::unique_ptr<HandleObject>> objects;
  uintptr_t next = kFirstHandle;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

HANDLE NewHandle(HandleObject* object) {
  HandleTable& table = Table();
  table.next += kHandleStep;
  table.objects[table.next].reset(object);
  return reinterpret_cast<HANDLE>(table.next);
}

HandleObject* ObjectOfHandle(HANDLE handle) {
  auto& objects = Table().objects;
  auto it = objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == objects.end() ? nullptr : it->second.get();
}

bool CloseHandleObject(HANDLE handle) {
  auto& objects = Table().objects;
  auto it = objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == objects.end()) return false;
  std::unique_ptr<HandleObject> object = std::move(it->second);
  objects.erase(it);
  return true;  // the object is destroyed here, after the table is consistent
}

}  // namespace posix

extern "C" BOOL CloseHandle(HANDLE object) {
  // INVALID_HANDLE_VALUE is also the current process's pseudo handle, which
  // Windows lets a program close without effect.
  if (object == INVALID_HANDLE_VALUE) return TRUE;
  if (posix::CloseHandleObject(object)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
