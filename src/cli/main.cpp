// ostrin-cli: the command-line front end over the core.
#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"Ostrin configuration tool, command line"};
  app.require_subcommand(1);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
