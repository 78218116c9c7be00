// OLE on a thread, started when first needed rather than at start-up: under Wine starting it
// takes longer than building the main window's face. The shell's open command and the common
// file dialogs want it; nothing the main window shows at start does.
#pragma once

namespace win {

// Starts OLE on the calling thread once. Without a session on the thread it stays started
// until the thread ends.
void EnsureOle();

// The owner of OLE on a thread: ends it, when EnsureOle() started it, as the session goes.
class OleSession {
 public:
  OleSession() = default;
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession();
};

}  // namespace win
