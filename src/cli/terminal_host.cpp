#include "cli/terminal_host.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <string>

#include "system/files.h"

namespace kalmar::cli {

std::string terminalText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);  // a file's bad byte, shown safely
      out += escaped;
      continue;
    }
    out += text[i];
  }
  return out;
}

TerminalHost::TerminalHost(std::FILE* err, std::FILE* in, bool yes, bool quiet)
    : err_(err),
      in_(in),
      yes_(yes),
      quiet_(quiet),
      interactive_(::isatty(::fileno(in)) && ::isatty(::fileno(err))),
      errTerminal_(::isatty(::fileno(err))) {}

void TerminalHost::pump() {
  if (!progressShown_ || quiet_ || !errTerminal_ || window_ == nullptr) return;
  const int position = window_->ProgressBar1;
  if (position == drawn_) return;
  drawn_ = position;
  const int filled = (position > 106 ? 106 : position < 0 ? 0 : position) * 40 / 106;
  std::fprintf(err_, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(40 - filled), ' ').c_str(),
               position * 100 / 106);
  std::fflush(err_);
}

void TerminalHost::endProgress() {
  if (drawn_ < 0) return;
  std::fprintf(err_, "\r%60s\r", "");
  drawn_ = -1;
}

void TerminalHost::status(const std::string& text) {
  if (quiet_ || text.empty()) return;
  endProgress();
  std::fprintf(err_, "%s\n", text.c_str());
}

void TerminalHost::result(const std::string& text) {
  if (quiet_ || text.empty()) return;
  endProgress();
  std::fflush(err_);
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

MessageResult TerminalHost::ask() {
  if (yes_) return MessageResult::Ok;
  if (!interactive_) return MessageResult::Cancel;
  std::fprintf(err_, "OK? (y - да, Enter - Отмена) ");
  std::fflush(err_);
  char line[64] = {};
  if (std::fgets(line, sizeof line, in_) == nullptr) return MessageResult::Cancel;
  const std::string answer(line);
  const bool yes = answer[0] == 'y' || answer[0] == 'Y' || answer.rfind("д", 0) == 0 ||
                   answer.rfind("Д", 0) == 0;
  return yes ? MessageResult::Ok : MessageResult::Cancel;
}

MessageResult TerminalHost::messageBox(const std::string& caption, const std::string& text,
                                       MessageIcon icon, MessageButtons buttons) {
  endProgress();
  const bool question = buttons != MessageButtons::Ok;
  if (boxesSilenced_ && !question) return MessageResult::Ok;
  if (icon == MessageIcon::Error || !quiet_ || (question && interactive_ && !yes_))
    std::fprintf(err_, "%s: %s\n", caption.c_str(), terminalText(text).c_str());
  if (!question) return MessageResult::Ok;
  const MessageResult answer = ask();
  if (!quiet_ && !interactive_)
    std::fprintf(err_, "  -> %s\n", answer == MessageResult::Ok ? "OK" : "Отмена");
  if (answer != MessageResult::Ok && !interactive_ && !yes_)
    std::fprintf(err_, "Без терминала на вопросы отвечается «Отмена»; --yes отвечает OK.\n");
  return answer;
}

#if defined(_WIN32)
void TerminalHost::shellOpen(const std::string& target) {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", pathOf(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) std::fprintf(err_, "%s: не удалось открыть\n", target.c_str());
}
#else
void TerminalHost::shellOpen(const std::string& target) {
  std::string program = "xdg-open";
  char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
    std::fprintf(err_, "xdg-open %s: не удалось запустить\n", target.c_str());
    return;
  }
  int status = 0;
  ::waitpid(child, &status, 0);
}
#endif

void TerminalHost::beep() {
  if (errTerminal_) std::fputc('\a', err_);
}

}  // namespace kalmar::cli
