// The common file dialogs for ".conf" files and the export copy that leaves nothing partial.
#include "panels/conf_files.h"

#include <commdlg.h>

#include "win32/lazy_function.h"
#include "win32/ole_session.h"

namespace panels {
namespace {

// The filter in its bar-separated form: description|pattern|.
constexpr char kFilter[] = "Configure File(*.conf)|*.conf|";
constexpr char kInitialName[] = "*.conf";
// The dialogs append it without a point.
constexpr char kDefaultExtension[] = "conf";

std::string DialogFilter() {
  std::string filter = kFilter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter += '\0';
  return filter;
}

// What can be seen of a file from outside: whether it is there, its size and its write time.
struct FileState {
  bool exists = false;
  ULONGLONG size = 0;
  FILETIME written{};

  static FileState Of(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileState state;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return state;
    state.exists = true;
    state.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    state.written = data.ftLastWriteTime;
    return state;
  }
  bool SameAs(const FileState& other) const {
    return exists == other.exists && size == other.size &&
           CompareFileTime(&written, &other.written) == 0;
  }
};

}  // namespace

std::optional<std::string> AskForConfFile(HWND owner, ConfDialog which) {
  const std::string filter = DialogFilter();
  char path[MAX_PATH] = {};
  lstrcpynA(path, kInitialName, MAX_PATH);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  dialog.lpstrDefExt = kDefaultExtension;
  // The common dialogs are loaded when first asked for.
  static win::LazyFunction<decltype(GetSaveFileNameA)> saveDialog("comdlg32.dll", "GetSaveFileNameA");
  static win::LazyFunction<decltype(GetOpenFileNameA)> openDialog("comdlg32.dll", "GetOpenFileNameA");
  auto* function = which == ConfDialog::Save ? saveDialog.Get() : openDialog.Get();
  win::EnsureOle();
  const BOOL chosen = function ? function(&dialog) : FALSE;
  if (!chosen) return std::nullopt;
  return std::string(path);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool CopyOrRemovePartial(const std::string& from, const std::string& to, const FileCopier& copy) {
  const FileState before = FileState::Of(to);
  if (copy(from, to)) return true;
  const FileState after = FileState::Of(to);
  if (after.exists && !after.SameAs(before)) {
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(to.c_str());
  }
  return false;
}

}  // namespace panels
