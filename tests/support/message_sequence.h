// Message-sequence checks: a window records what it receives, sent or posted, and a test
// compares the record with a table of expected messages; a mismatch prints both lists.
//
//   const ExpectedMessage kExpected[] = {
//       {WM_COMMAND, kSent | kCheckLParam, 0, LPARAM(button)},
//       {kSliderValueMessage, kPosted | kCheckWParam, 9},
//   };
//   EXPECT_SEQUENCE(recorder.Messages(), kExpected);
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "win32/window.h"

namespace testing_support {

enum MessageFlags : unsigned {
  kSent = 1,         // must have arrived through SendMessage (or from the system directly)
  kPosted = 2,       // must have arrived through the message queue
  kOptional = 4,     // may be missing
  kCheckWParam = 8,  // wParam must be equal
  kCheckLParam = 16, // lParam must be equal
};

struct ExpectedMessage {
  UINT message;
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

struct RecordedMessage {
  UINT message;
  bool posted;
  WPARAM wParam;
  LPARAM lParam;
};

// Compares recorded messages with the expected ones in order; an empty result means they
// agree, otherwise it lists both sequences and marks the first difference.
std::string CompareSequence(const std::vector<RecordedMessage>& recorded,
                            const std::vector<ExpectedMessage>& expected);

// Records the messages that reach a window and interest a test (all WM_USER and above when the
// list is empty), telling sent from posted ones: posted ones are those that Drain dispatches.
// Each message then goes on as it would without the recorder. The recorder is a window of ours
// like any other: WM_COMMAND and WM_DRAWITEM about a child control of ours go to that control
// first, and a recorder that is itself a control receives them from its parent as
// kReflectBase + the message. Made with CreateSystem, or put on an existing control with
// Subclass, it records that control's own sequence; RecorderWindow records a stand-in parent's.
class MessageRecorder : public win::Window {
 public:
  explicit MessageRecorder(std::initializer_list<UINT> interesting = {}) : interesting_(interesting) {}

  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }
  // Posts a marker and dispatches this thread's messages until it arrives (twice, so that a
  // message posted on by a handler of the first round is delivered as well).
  void Drain();

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  bool Interesting(UINT message) const;

  std::vector<UINT> interesting_;
  std::vector<RecordedMessage> messages_;
  const MSG* dispatching_ = nullptr;
  bool markerSeen_ = false;
};

// A visible top-level window that stands in for a parent and records what reaches it.
class RecorderWindow : public MessageRecorder {
 public:
  explicit RecorderWindow(std::initializer_list<UINT> interesting = {}, int width = 400,
                          int height = 300);

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  LRESULT OnEraseBackground(WPARAM dc, LPARAM);
};

}  // namespace testing_support

#define EXPECT_SEQUENCE(recorded, ...)                                                    \
  do {                                                                                    \
    const std::string pw_difference_ = ::testing_support::CompareSequence(               \
        (recorded), std::vector<::testing_support::ExpectedMessage>(__VA_ARGS__));        \
    EXPECT_TRUE(pw_difference_.empty()) << pw_difference_;                                \
  } while (0)
