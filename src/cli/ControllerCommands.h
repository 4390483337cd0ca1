// The command line's controller commands: version, upload, download, sync,
// verify and commit (the transfers) and restart, set-clock, default and erase
// (the maintenance commands). Each adds itself to the application; its
// callback throws CLI::RuntimeError with the command's exit code.
#pragma once

namespace CLI {
class App;
}

namespace ostrin::cli {

void AddTransferCommands(CLI::App& app);
void AddMaintenanceCommands(CLI::App& app);

inline void AddControllerCommands(CLI::App& app) {
  AddTransferCommands(app);
  AddMaintenanceCommands(app);
}

}  // namespace ostrin::cli
