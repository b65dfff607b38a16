#include "desktop/desktop_arguments.h"

#include <CLI/CLI.hpp>

namespace cartulon {

std::variant<DesktopOptions, ArgumentError, HelpRequested> ParseDesktopArguments(int argc,
                                                                                  char** argv) {
  DesktopOptions options;
  CLI::App app("Builds the file list of a support disc, with a preview of the list.",
               "cartulon");
  app.add_option("--rules", options.rulesFile,
                 "use FILE instead of the carried FileList_Exp.ini")
      ->option_text("FILE");
  app.add_option("--contact", options.contactFile, "use FILE instead of the carried TECHSUPP.ini")
      ->option_text("FILE");
  app.add_option("ROOT", options.root, "the disc root the selection dialog proposes");
  // A root such as "/media/disc" is a path on every platform, never an
  // option in the Windows style.
  app.allow_windows_style_options(false);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return HelpRequested{app.help()};
  } catch (const CLI::ParseError& error) {
    return ArgumentError{std::string(error.what()) + "\n" + kDesktopUsage};
  }
  return options;
}

}  // namespace cartulon
