// The common file dialogs for ".conf" files, through their wide-character forms.
#include "panels/conf_files.h"

#include <commdlg.h>
#include <shlobj.h>

#include "win32/file_system.h"
#include "win32/lazy_function.h"
#include "win32/ole_session.h"
#include "win32/wide_text.h"

namespace panels {
namespace {

// The filter in its bar-separated form: description|pattern|.
constexpr wchar_t kFilter[] = L"Mouse settings (*.conf)|*.conf|";
// The dialogs append it without a point.
constexpr wchar_t kDefaultExtension[] = L"conf";
// Long enough for any path the dialogs can give.
constexpr DWORD kPathRoom = 32768;

std::wstring DialogFilter() {
  std::wstring filter = kFilter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter += L'\0';
  return filter;
}

// The user's Documents folder, where the dialogs open; empty when there is none, and the
// dialogs then choose as they do by themselves (never the program folder: it is ours).
std::wstring DocumentsFolder() { return win::ShellFolder(CSIDL_PERSONAL); }

}  // namespace

std::optional<std::string> AskForConfFile(HWND owner, ConfDialog which) {
  const std::wstring filter = DialogFilter();
  const std::wstring documents = DocumentsFolder();
  std::wstring path(kPathRoom, L'\0');  // no name to start with
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.lpstrInitialDir = documents.empty() ? nullptr : documents.c_str();
  dialog.nMaxFile = kPathRoom;
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  dialog.lpstrDefExt = kDefaultExtension;
  // The common dialogs are loaded when first asked for.
  static win::LazyFunction<decltype(GetSaveFileNameW)> saveDialog("comdlg32.dll", "GetSaveFileNameW");
  static win::LazyFunction<decltype(GetOpenFileNameW)> openDialog("comdlg32.dll", "GetOpenFileNameW");
  auto* function = which == ConfDialog::Save ? saveDialog.Get() : openDialog.Get();
  win::EnsureOle();
  const BOOL chosen = function ? function(&dialog) : FALSE;
  if (!chosen) return std::nullopt;
  path.resize(wcsnlen(path.c_str(), path.size()));
  return win::Narrow(path);
}

}  // namespace panels
