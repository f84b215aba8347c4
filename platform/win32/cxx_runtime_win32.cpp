// The few pieces of the C++ runtime that compiled code may call, replaced by
// plain C-library versions. The library's own operator new reports failure by
// throwing, and a pure virtual call goes through std::terminate; either drags
// the whole exception machinery into SETUP.EXE (about 110 KB). The program is
// built without exceptions, so nothing could catch them anyway.
#include <stdlib.h>

#include <new>

#include "platform/platform.h"

namespace {

// Out of memory ends the process at once: there is no caller that could go
// on without the memory, and exit code 1 is what an uncaught failure gives.
void* AllocateOrExit(size_t size) {
  void* memory = malloc(size ? size : 1);
  if (!memory) ExitProcess(1);
  return memory;
}

}  // namespace

void* operator new(size_t size) { return AllocateOrExit(size); }
void* operator new[](size_t size) { return AllocateOrExit(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void operator delete(void* memory) noexcept { free(memory); }
void operator delete[](void* memory) noexcept { free(memory); }
void operator delete(void* memory, size_t) noexcept { free(memory); }
void operator delete[](void* memory, size_t) noexcept { free(memory); }

extern "C" void __cxa_pure_virtual() { ExitProcess(1); }
