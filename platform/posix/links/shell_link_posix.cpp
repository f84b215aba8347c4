// The shell-link object of the emulation: IShellLinkA and IPersistFile
// over one set of link fields, saved as a real .LNK file; and the component
// library as far as the installer uses it: initialisation and the
// in-process creation of that object.
#include <cstring>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/links/links_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

// Copies an optional text out as the Get... methods do: cut to the size.
HRESULT CopyOut(const std::optional<std::string>& text, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return E_INVALIDARG;
  std::string value = text ? *text : std::string();
  size_t length = value.size() < static_cast<size_t>(size) ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return S_OK;
}

std::optional<std::string> TextOf(LPCSTR text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

// SetPath takes a path in one pair of quotes as the path inside them.
std::string Unquoted(const std::string& path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
    return path.substr(1, path.size() - 2);
  return path;
}

// The name of a UTF-16 path as the A functions take it.
std::string AnsiFromWide(LPCOLESTR wide) {
  std::string utf16;
  for (; *wide; ++wide) {
    utf16 += static_cast<char>(*wide & 0xFF);
    utf16 += static_cast<char>(*wide >> 8);
  }
  return AnsiFromUtf16(utf16);
}

class ShellLinkObject final : public IShellLinkA, public IPersistFile {
 public:
  // ---- IUnknown ----
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (SameGuid(iid, IID_IUnknown) || SameGuid(iid, IID_IShellLinkA)) {
      *object = static_cast<IShellLinkA*>(this);
    } else if (SameGuid(iid, IID_IPersistFile) || SameGuid(iid, IID_IPersist)) {
      *object = static_cast<IPersistFile*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // ---- IShellLinkA ----
  HRESULT GetPath(LPSTR file, int size, WIN32_FIND_DATAA* findData, DWORD) override {
    if (findData) std::memset(findData, 0, sizeof *findData);
    return CopyOut(data_.targetPath, file, size);
  }
  HRESULT GetIDList(LPITEMIDLIST* list) override {
    if (list) *list = nullptr;
    return E_NOTIMPL;
  }
  HRESULT SetIDList(LPCITEMIDLIST) override { return E_NOTIMPL; }
  HRESULT GetDescription(LPSTR name, int size) override { return CopyOut(data_.description, name, size); }
  HRESULT SetDescription(LPCSTR name) override { return Set(&data_.description, name); }
  HRESULT GetWorkingDirectory(LPSTR dir, int size) override { return CopyOut(data_.workingDir, dir, size); }
  HRESULT SetWorkingDirectory(LPCSTR dir) override { return Set(&data_.workingDir, dir); }
  HRESULT GetArguments(LPSTR args, int size) override { return CopyOut(data_.arguments, args, size); }
  HRESULT SetArguments(LPCSTR args) override { return Set(&data_.arguments, args); }
  HRESULT GetHotkey(WORD* hotkey) override {
    if (hotkey == nullptr) return E_INVALIDARG;
    *hotkey = data_.hotkey;
    return S_OK;
  }
  HRESULT SetHotkey(WORD hotkey) override {
    data_.hotkey = hotkey;
    dirty_ = true;
    return S_OK;
  }
  HRESULT GetShowCmd(int* showCmd) override {
    if (showCmd == nullptr) return E_INVALIDARG;
    *showCmd = static_cast<int>(data_.showCommand);
    return S_OK;
  }
  HRESULT SetShowCmd(int showCmd) override {
    data_.showCommand = static_cast<DWORD>(showCmd);
    dirty_ = true;
    return S_OK;
  }
  HRESULT GetIconLocation(LPSTR iconPath, int size, int* index) override {
    if (index) *index = data_.iconIndex;
    return CopyOut(data_.iconLocation, iconPath, size);
  }
  HRESULT SetIconLocation(LPCSTR iconPath, int index) override {
    data_.iconIndex = index;
    return Set(&data_.iconLocation, iconPath);
  }
  HRESULT SetRelativePath(LPCSTR relativePath, DWORD) override {
    if (relativePath == nullptr) return E_INVALIDARG;
    givenRelativePath_ = relativePath;
    dirty_ = true;
    return S_OK;
  }
  HRESULT Resolve(HWND, DWORD) override { return S_OK; }
  HRESULT SetPath(LPCSTR file) override {
    if (file == nullptr) return E_INVALIDARG;
    std::string path = Unquoted(file);
    dirty_ = true;
    if (path.empty()) {
      data_.targetPath.clear();
      data_.volume.reset();
      return S_OK;
    }
    return ResolveLinkTarget(path, &data_) ? S_OK : S_FALSE;
  }

  // ---- IPersistFile ----
  HRESULT GetClassID(CLSID* classId) override {
    if (classId == nullptr) return E_POINTER;
    *classId = CLSID_ShellLink;
    return S_OK;
  }
  HRESULT IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
  HRESULT Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
  HRESULT Save(LPCOLESTR fileName, BOOL) override {
    if (fileName == nullptr) return E_INVALIDARG;
    std::string linkFile = AnsiFromWide(fileName);
    HRESULT result = WriteLinkFile(linkFile);
    if (SUCCEEDED(result)) dirty_ = false;
    return result;
  }
  HRESULT SaveCompleted(LPCOLESTR) override { return S_OK; }
  HRESULT GetCurFile(LPOLESTR* fileName) override {
    if (fileName) *fileName = nullptr;
    return E_NOTIMPL;
  }

 private:
  HRESULT Set(std::optional<std::string>* field, LPCSTR text) {
    *field = TextOf(text);
    dirty_ = true;
    return S_OK;
  }

  // The relative path is taken at saving time, from where the link goes.
  std::optional<std::string> RelativePathFor(const std::string& linkFile) const {
    if (!givenRelativePath_.empty()) return givenRelativePath_;
    if (data_.targetPath.empty()) return std::nullopt;
    std::string relative = RelativeTargetPath(FullWinPath(linkFile.c_str()), data_.targetPath);
    return relative.empty() ? std::nullopt : std::optional<std::string>(relative);
  }

  HRESULT WriteLinkFile(const std::string& linkFile) {
    LinkFileData data = data_;
    data.relativePath = RelativePathFor(linkFile);
    std::string bytes = BuildLinkFile(data);
    HANDLE file = CreateFileA(linkFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    if (!ok || written != bytes.size()) return HRESULT_FROM_WIN32(error ? error : ERROR_DISK_FULL);
    return S_OK;
  }

  ULONG references_ = 0;
  bool dirty_ = false;
  LinkFileData data_;
  std::string givenRelativePath_;
};

}  // namespace

HRESULT CreateShellLinkObject(REFIID iid, void** object) {
  ShellLinkObject* link = new ShellLinkObject();
  link->AddRef();
  HRESULT result = link->QueryInterface(iid, object);
  link->Release();
  return result;
}

}  // namespace posix

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
