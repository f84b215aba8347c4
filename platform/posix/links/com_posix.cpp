// The component library as far as the installer uses it: initialisation
// and the in-process creation of the shell-link object.
#include <cstring>

#include "platform/posix/links/links_posix.h"

extern "C" {
const CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersist = {0x0000010C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
}

namespace {
// The process has one thread that uses COM; Windows answers S_FALSE to
// every CoInitialize of a thread after its first.
int initialisations = 0;
}  // namespace

namespace posix {
bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
}  // namespace posix

extern "C" HRESULT CoInitialize(LPVOID) { return initialisations++ == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid,
                                    LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (initialisations == 0) return CO_E_NOTINITIALIZED;
  if (!posix::SameGuid(classId, CLSID_ShellLink) || !(context & CLSCTX_INPROC_SERVER))
    return REGDB_E_CLASSNOTREG;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return posix::CreateShellLinkObject(iid, object);
}
