// Uses the Windows calls the program's file steps are made of.
#include <windows.h>

#include <filesystem>

int main() {
  const std::filesystem::path here = std::filesystem::current_path();
  return MoveFileExW(L"a", L"b", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
                 GetLogicalDrives() == 0 || here.empty()
             ? 0
             : 1;
}
