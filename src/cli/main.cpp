#include "cli/commands.h"

int main(int argc, char** argv) {
  return kalmar::cli::runMain(argc, argv);
}
