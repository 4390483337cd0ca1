// ostrin-cli restart, set-clock, default and erase: the maintenance commands,
// with the status log of each exchange. default and erase ask their two
// confirmations on the terminal unless given --yes.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliSupport.h"
#include "cli/ControllerCommands.h"
#include "cli/ControllerSession.h"
#include "protocol/Maintenance.h"

namespace ostrin::cli {
namespace {

struct MaintenanceCommand {
  const char* name;
  const char* description;
  bool asksTwice;
  bool (*button)();
};

constexpr MaintenanceCommand commands[] = {
    {"restart", "Restart the controller", false, RestartButton},
    {"set-clock", "Set the controller's clock from this computer's local time and date", false, SetClockButton},
    {"default", "Reset every parameter of the controller to its factory default (asks twice)", true,
     DefaultAllButton},
    {"erase", "Erase the controller's non-volatile memory (asks twice)", true, EraseAllButton},
};

int run(const MaintenanceCommand& command, const ControllerOptions& options) {
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (command.button()) return ExitSuccess;
  if (session.Cancelled()) return Fail(ExitFailed, "cancelled: nothing was sent");
  return session.ControllerFailed("no answer from the controller");
}

}  // namespace

void AddMaintenanceCommands(CLI::App& app) {
  for (const MaintenanceCommand& command : commands) {
    auto* sub = app.add_subcommand(command.name, command.description);
    auto options = std::make_shared<ControllerOptions>();
    AddControllerOptions(*sub, *options, command.asksTwice);
    sub->callback([&command, options] {
      const int code = run(command, *options);
      if (code != ExitSuccess) throw CLI::RuntimeError(code);
    });
  }
}

}  // namespace ostrin::cli
