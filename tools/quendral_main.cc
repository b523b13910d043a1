// quendral: the command-line face of the library.
#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"quendral: repairs Notes documents in place"};
  app.require_subcommand(1);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
