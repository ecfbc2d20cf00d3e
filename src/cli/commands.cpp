#include "cli/commands.h"

#include <cstdio>
#include <filesystem>

#include "app/version_text.h"
#include "cli/command_table.h"
#include "cli/identify.h"
#include "cli/session.h"
#include "device/settings_file.h"
#include "link/stop_request.h"
#include "system/files.h"

namespace kalmar::cli {

namespace {

int exitStatusOf(const Outcome& outcome) {
  switch (outcome.kind) {
    case OutcomeKind::Done:
      return kExitOk;
    case OutcomeKind::NoProgrammer:
      return kExitNoProgrammer;
    default:
      return kExitFailed;
  }
}

// The chip in the socket before a command that reads or changes it; a
// refusal was told on standard error already.
Outcome identified(Session& session, const CommandRecord& command, const Options& options) {
  if (!command.needsChip || !command.identifiedFirst || options.force) return Outcome::done({});
  TForm1& form = session.form();
  Identification identification = identifyChip(form, session.chipChosen());
  if (identification.identity == Identity::Selected && !options.quiet)
    std::fprintf(stderr, "Выбран микроконтроллер, который ответил: %s.\n",
                 form.chip.profile.name.c_str());
  return std::move(identification.outcome);
}

// write-config without a word takes the word of ./Kalmar.cfg, which must be there.
bool settingsWordAvailable(const Options& options) {
  if (options.command != "write-config" || !options.arguments.empty()) return true;
  std::string why;
  if (readSettingsFile(kSettingsFileName, &why)) return true;
  std::error_code code;
  if (!std::filesystem::exists(pathOf(kSettingsFileName), code))
    why = "этого файла нет";
  else
    why = "этот файл не годится: " + why;
  std::fprintf(stderr,
               "kalmar-cli: write-config без слова записывает слово из ./Kalmar.cfg, а %s; "
               "укажите слово: write-config 3F18\n",
               why.c_str());
  return false;
}

// The command's outcome as the terminal shows it: its last action and time,
// a result on standard output when the command did its work, a diagnostic
// on standard error when it did not.
void showOutcome(Session& session, const Outcome& outcome) {
  TerminalHost& host = session.host();
  for (const std::string& line :
       {outcome.lastAction, outcome.elapsed.empty() ? "" : "(" + outcome.elapsed + ")"}) {
    if (outcome)
      host.result(line);
    else
      host.status(line);
  }
}

// The exit status after the session saved its trace and chip: a failed save
// or a port that failed under the command make a good outcome worthless, and
// a lost adapter says the programmer is gone.
int finishSession(Session& session, int status) {
  std::string error;
  if (!session.finish(error)) {
    std::fprintf(stderr, "kalmar-cli: %s\n", error.c_str());
    if (status == kExitOk) status = kExitFailed;
  }
  if (session.portFailed() && status == kExitOk) status = kExitFailed;
  if (session.adapterLost()) status = kExitNoProgrammer;
  return status;
}

}  // namespace

int run(const Options& options) {
  const CommandRecord* command = findCommand(options.command);
  if (command == nullptr) return kExitUsage;  // the option parser refused it already
  if (!settingsWordAvailable(options)) return kExitUsage;
  std::string error;
  int status = kExitOk;
  std::unique_ptr<Session> session = Session::start(options, command->needsChip, error, status);
  if (!session) {
    std::fprintf(stderr, "kalmar-cli: %s\n", error.c_str());
    return status;
  }
  TForm1& form = session->form();
  session->beginCommand();
  Context context{form, options};
  Outcome outcome = identified(*session, *command, options);
  if (options.calibration && !form.chip.profile.calibrationPreserved) {
    std::fprintf(stderr, "kalmar-cli: --calibration только для PIC12F629 и PIC12F675\n");
    return kExitUsage;
  }
  if (outcome) outcome = command->run(context);
  showOutcome(*session, outcome);
  status = exitStatusOf(outcome);
  if (!command->linesOnly && !session->reportSimulator(error)) {
    std::fprintf(stderr, "kalmar-cli: %s\n", error.c_str());
    if (status == kExitOk) status = kExitFailed;
  }
  return finishSession(*session, status);
}

int runMain(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  ParsedOptions parsed = parseOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "kalmar-cli: %s\nПодробнее: kalmar-cli --help\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(helpText().c_str(), stdout);
    return kExitOk;
  }
  if (parsed.options.version) {
    std::fputs(versionText("kalmar-cli").c_str(), stdout);
    return kExitOk;
  }
  catchStopSignals();
  const int status = run(parsed.options);
  if (takeSuspend()) suspendNow();  // Ctrl-Z came during the command: now, the adapter idle
  // A stop that came while no line step ran (at a question, say).
  if (const int signal = pendingStop()) return 128 + signal;
  return status;
}

}  // namespace kalmar::cli
