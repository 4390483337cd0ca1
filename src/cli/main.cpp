// ostrin-cli: the command-line front end over the core.
#include <CLI/CLI.hpp>

#include "cli/CliSupport.h"
#include "cli/ControllerCommands.h"

int main(int argc, char** argv) {
  CLI::App app{"Ostrin configuration tool, command line"};
  app.require_subcommand(1);
  ostrin::cli::AddResaveCommand(app);
  ostrin::cli::AddDiffCommand(app);
  ostrin::cli::AddReadCommand(app);
  ostrin::cli::AddWriteCommand(app);
  ostrin::cli::AddControllerCommands(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::RuntimeError& e) {
    return e.get_exit_code();
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return ostrin::cli::ExitFileError;
  }
  return ostrin::cli::ExitSuccess;
}
