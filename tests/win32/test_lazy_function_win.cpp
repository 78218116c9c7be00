// LazyFunction and EnsureOle: a library loaded on first use, and what happens when it or its
// function is not there.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <thread>

#include "win32/lazy_function.h"
#include "win32/ole_session.h"

namespace {

using VersionFunction = DWORD();
using AnyFunction = int(int);
constexpr char kLibrary[] = "msvfw32.dll";  // nothing here imports it

TEST(LazyFunction, LoadsOnFirstUseAndGivesNullForWhatIsMissing) {
  const bool loadedBefore = GetModuleHandleA(kLibrary) != nullptr;
  win::LazyFunction<VersionFunction> version(kLibrary, "VideoForWindowsVersion");
  if (!loadedBefore) {
    EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr) << "loaded before it was asked for";
  }
  auto* function = version.Get();
  ASSERT_NE(function, nullptr);
  EXPECT_NE(GetModuleHandleA(kLibrary), nullptr);
  EXPECT_NE(function(), 0u);
  EXPECT_EQ(version.Get(), function);
  win::LazyFunction<AnyFunction> missing(kLibrary, "NoSuchFunction");
  EXPECT_EQ(missing.Get(), nullptr);
  win::LazyFunction<AnyFunction> nowhere("no_such_library.dll", "NoSuchFunction");
  EXPECT_EQ(nowhere.Get(), nullptr);
}

// OLE starts on the thread that asks, once, and a session ends what it started.
TEST(EnsureOle, StartsOnceAndTheSessionEndsIt) {
  std::thread([] {
    {
      win::OleSession session;
      win::EnsureOle();
      win::EnsureOle();
      EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);  // already started
      CoUninitialize();
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // ended with the session
    CoUninitialize();
  }).join();
}

}  // namespace
