#include <string>
#include <vector>

#include "cli/commands.h"

#if defined(_WIN32)
#include <windows.h>

#include "system/files.h"

// On Windows the arguments come as UTF-16 and the console takes a code page:
// the program's UTF-8 goes both ways, so Russian text and file names pass
// whole whatever the system's own code page is.
int main() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(kalmar::nameOf(std::filesystem::path(wide[i])));
  LocalFree(wide);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return kalmar::cli::runMain(count, argv.data());
}
#else
int main(int argc, char** argv) {
  return kalmar::cli::runMain(argc, argv);
}
#endif
