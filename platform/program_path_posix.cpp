#include "platform/program_path.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace cartulon {

namespace fs = std::filesystem;

std::string RunningProgramFolder(const char* argv0) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    exe = fs::weakly_canonical(fs::absolute(argv0 != nullptr ? argv0 : "", ec), ec);
  }
  return StripTrailingDelimiter(FolderPart(exe.string()));
}

LocalDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_mon + 1, local.tm_mday, local.tm_year + 1900};
}

}  // namespace cartulon
