// Answers a modal window from inside its modal loop: a CBT hook of this thread notices each
// new top-level window of ours as it is activated, and the answer runs from the loop right
// afterwards, as if a user acted on the shown window.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

class ModalAnswer {
 public:
  // answer(hwnd) runs once for each top-level window of ours that is activated while this
  // object lives.
  explicit ModalAnswer(std::function<void(HWND window)> answer);
  ~ModalAnswer();
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;
  int Answered() const { return answered_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

  std::function<void(HWND)> answer_;
  HHOOK hook_ = nullptr;
  HWND pending_ = nullptr;
  UINT_PTR timer_ = 0;
  int answered_ = 0;
};

}  // namespace testing_support
