// Times the write of a save, whole-file against key by key, in interleaved rounds:
//   bench_save.exe [ROUNDS]
// Both write the pointer values to the registry and the 59 keys of the profile file into a
// scratch folder; the whole-file write also takes the suite's lock and reads the old file.
// Prints the median and the quartiles in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/profile_file.h"
#include "settings/registry_pointer_store.h"
#include "settings/settings_store.h"
#include "support/win_test_support.h"

namespace {

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const std::size_t n = ms.size();
  std::printf("%-28s median %7.2f ms  (quartiles %.2f-%.2f, n=%zu)\n", what, ms[n / 2], ms[n / 4],
              ms[3 * n / 4], n);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(4, std::atoi(argv[1])) : 40;
  // The pointer values go to a scratch key, not to the user's mouse settings.
  HKEY scratch = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\bench_save scratch", 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &scratch, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string whole = std::string(temp) + "bench_save_whole.ini";
  const std::string keys = std::string(temp) + "bench_save_keys.ini";
  settings::ProfileSet record{};
  settings::SetDefaults(record);
  settings::Normalise(record, record);
  std::vector<double> wholeMs, keysMs;
  for (int i = 0; i < rounds; ++i) {
    record.SpeedX = i % 18;
    record.profiles[i % 5].buttons[i % 9].code = static_cast<std::uint8_t>(1 + i % 20);
    double start = Now();
    settings::WriteToFile(record, whole);
    wholeMs.push_back(Now() - start);

    start = Now();
    settings::RegistryPointerStore pointers;
    testing_support::RecordFileWriter file(keys);  // one private-profile write per key
    settings::Write(record, file, pointers);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, keys.c_str());  // to the disk
    keysMs.push_back(Now() - start);
  }
  Report("whole file, one replace", wholeMs);
  Report("key by key (59 rewrites)", keysMs);
  DeleteFileA(whole.c_str());
  DeleteFileA(keys.c_str());
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(scratch);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\bench_save scratch");
  return 0;
}
