// Settings load, write and the save sequence over the registry and the profile file.
#include "settings/settings_store.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "settings/device_service.h"
#include "settings/profile_file.h"
#include "settings/registry_pointer_store.h"
#include "win32/file_system.h"
#include "win32/wait_cursor.h"
#include "win32/wide_text.h"

namespace settings {
namespace {

// Held by whichever of the suite's programs is rewriting a profile file. A holder that died
// leaves it abandoned, which the next one takes over as a normal acquisition: the file itself
// was never half-written.
constexpr wchar_t kWriteLockName[] = L"Local\\USB_Optical_Mouse_profile_writer";
constexpr DWORD kWriteLockWaitMs = 10000;

class WriteLock {
 public:
  WriteLock() : mutex_(CreateMutexW(nullptr, FALSE, kWriteLockName)) {
    if (!mutex_) return;
    const DWORD result = WaitForSingleObject(mutex_.Get(), kWriteLockWaitMs);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }
  ~WriteLock() {
    if (held_) ReleaseMutex(mutex_.Get());
  }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;
  bool Held() const { return held_; }

 private:
  win::KernelHandle mutex_;
  bool held_ = false;
};

}  // namespace

ProfilePaths FindProfilePaths() {
  const std::wstring folder = win::ShellFolder(CSIDL_APPDATA | CSIDL_FLAG_CREATE);
  if (folder.empty()) return {};
  const std::string base = win::Narrow(folder) + "\\USB Optical Mouse\\Mouse\\";
  return {base + "RerirUv.ini", base + "RerirUv.conf"};
}

win::IniDocument ReadProfileDocument(const std::string& path) {
  std::string text;
  win::ReadWholeFile(path, text);
  return win::IniDocument(text);
}

win::FileResult WriteProfileFile(const std::string& path,
                                 const std::function<bool(win::IniDocument&)>& edit) {
  WriteLock lock;
  if (!lock.Held()) return {win::FileFault::InUse, path};
  std::string text;
  if (win::FileResult read = win::ReadFileIfAny(path, text); !read.Ok()) return read;
  win::IniDocument document(text);
  if (!edit(document)) return {};
  return win::WriteFileWhole(path, document.Text());
}

win::FileResult WriteToFile(const ProfileSet& record, const std::string& path,
                            const std::string& copy) {
  std::string written;
  const win::FileResult result = WriteProfileFile(path, [&](win::IniDocument& file) {
    WriteProfileKeys(record, file);
    written = file.Text();
    return true;
  });
  if (!result.Ok()) return result;
  RegistryPointerStore pointers;
  WritePointerSettings(record, pointers);
  if (copy.empty()) return {};
  return win::WriteFileWhole(copy, written);
}

void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  const std::string& path) {
  win::IniDocument file = ReadProfileDocument(path);
  LoadSettings(scratch, current, baseline, file);
}

void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  win::IniDocument& file) {
  SetDefaults(scratch);
  RegistryPointerStore pointers;
  Load(scratch, file, pointers, -1);
  Normalise(current, scratch);
  std::memcpy(&baseline, &current, sizeof baseline);
}

SaveResult SaveSettings(ProfileSet& baseline, ProfileSet& current, const ProfilePaths& paths) {
  HWND service = FindServiceWindow();
  const ProfileSet before = baseline;
  const ChangeSet changes = Compare(baseline, current);
  if (changes == NoChange || !paths.Found()) return {changes, {}};
  win::WaitCursor wait;
  const win::FileResult written =
      WriteToFile(current, paths.profile, current.AutoSaveEnable == 1 ? paths.conf : std::string());
  if (!written.Ok() && written.path == paths.profile) {
    baseline = before;
    return {NoChange, written};
  }
  // The profile file is saved even when its copy failed: the service reads the new one.
  if (changes & GeneralChanged) PostToService(service, kServiceReloadGeneral);
  if (changes & ProfileDataChanged) {
    SendToService(service, kServiceReloadProfiles);
    Sleep(kProfileDataPauseMs);
  }
  SendToService(service, kServiceReloadAll);
  return {changes, written};
}

}  // namespace settings
