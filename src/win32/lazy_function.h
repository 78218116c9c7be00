// LazyFunction: a function of a system library that is loaded on its first use rather than
// when the program starts. Every library a program imports is mapped and initialised before
// its first line runs; the common dialogs, the common controls, the multimedia library and
// the picture decoder are needed late or never, and importing them made a program's first
// window measurably slower to appear. A library loaded this way stays loaded, as an imported
// one would.
#pragma once

#include <windows.h>

#include <atomic>

namespace win {

template <class Signature>
class LazyFunction;

template <class R, class... Args>
class LazyFunction<R(Args...)> {
 public:
  using Pointer = R (*)(Args...);

  constexpr LazyFunction(const char* library, const char* name) : library_(library), name_(name) {}

  // The function, or null when the library or the function cannot be found.
  Pointer Get() {
    Pointer function = function_.load(std::memory_order_acquire);
    if (function) return function;
    HMODULE module = GetModuleHandleA(library_);
    if (!module) module = LoadLibraryA(library_);
    if (!module) return nullptr;
    function = reinterpret_cast<Pointer>(reinterpret_cast<void*>(GetProcAddress(module, name_)));
    function_.store(function, std::memory_order_release);
    return function;
  }

 private:
  const char* library_;
  const char* name_;
  std::atomic<Pointer> function_{nullptr};
};

}  // namespace win
