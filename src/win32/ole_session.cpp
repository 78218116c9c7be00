// EnsureOle and OleSession over OleInitialize and OleUninitialize.
#include "win32/ole_session.h"

#include <windows.h>
#include <ole2.h>

namespace win {
namespace {
thread_local bool t_started = false;
}  // namespace

void EnsureOle() {
  if (!t_started) t_started = SUCCEEDED(OleInitialize(nullptr));
}

OleSession::~OleSession() {
  if (!t_started) return;
  OleUninitialize();
  t_started = false;
}

}  // namespace win
