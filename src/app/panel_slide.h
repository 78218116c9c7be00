// PanelSlide: the animation that slides a side panel open or shut on a 1 ms timer of the
// sliding panel, by the time elapsed (kSlideMilliseconds whatever the timer's resolution), and
// tells the main window when it ends.
#pragma once

#include <windows.h>

#include <chrono>

namespace app {

constexpr UINT_PTR kSlideTimer = 4096;

class PanelSlide {
 public:
  enum class Mode { Open, Close };
  enum class Anchor { LeftFixed, RightFixed };
  static constexpr Anchor Opposite(Anchor a) { return a == Anchor::LeftFixed ? Anchor::RightFixed : Anchor::LeftFixed; }

  struct Request {
    HWND panel;  // the sliding panel, at its full laid-out rectangle
    HWND tell;   // told with the panel state message when the slide ends
    int code;    // the code it is told
    Mode mode;
    Anchor anchor;
    int minimumWidth;
    HWND companion;  // moved along with the free edge, or null
  };

  PanelSlide() = default;
  PanelSlide(const PanelSlide&) = delete;
  PanelSlide& operator=(const PanelSlide&) = delete;
  ~PanelSlide();

  // Starts a slide; one that is still running is ended first, without its report.
  bool Start(const Request& request);
  // One step; false once the slide has ended (the timer is gone and the report posted).
  bool Tick();
  bool Running() const { return running_; }
  int Width() const { return width_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Stop();
  void Place();

  Request request_{};
  bool running_ = false;
  std::chrono::steady_clock::time_point started_;
  int width_ = 0, startWidth_ = 0, endWidth_ = 0, fullWidth_ = 0, fullHeight_ = 0;
  int left_ = 0, top_ = 0, right_ = 0;
  POINT companionAt_{0, 0};
};

}  // namespace app
