#include <cstdio>
#include <string>

#include "tools/render/CommandLine.h"
#include "tools/render/RenderApp.h"

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error;
  if (!CommandLine::Parse(argc, argv, &options, &error)) {
    std::fprintf(stderr, "kestravon-render: error: %s\n", error.c_str());
    return CommandLine::kExitBadCommandLine;
  }
  if (options.help) {
    std::fputs(CommandLine::HelpText(), stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(CommandLine::VersionText(), stdout);
    return 0;
  }
  return RenderApp(options).Run();
}
