// The home folder: from the environment, else from the password database.
#include "platform/home_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace cartulon {
namespace {

// Sets HOME (or unsets it for nullopt) for one test and restores it after.
class HomeVariable {
 public:
  explicit HomeVariable(const std::optional<std::string>& value) {
    if (const char* old = std::getenv("HOME")) saved_ = old;
    if (value) {
      ::setenv("HOME", value->c_str(), 1);
    } else {
      ::unsetenv("HOME");
    }
  }
  ~HomeVariable() {
    if (saved_) {
      ::setenv("HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("HOME");
    }
  }

 private:
  std::optional<std::string> saved_;
};

std::string DatabaseHome() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

TEST(HomeFolder, TakesTheEnvironmentWithoutTrailingDelimiters) {
  {
    HomeVariable home("/srv/builder");
    EXPECT_EQ(HomeFolder(), "/srv/builder");
  }
  {
    HomeVariable home("/srv/builder//");
    EXPECT_EQ(HomeFolder(), "/srv/builder");
  }
  {
    HomeVariable home("/");
    EXPECT_EQ(HomeFolder(), "/");
  }
}

TEST(HomeFolder, FallsBackToThePasswordDatabase) {
  const std::string expected = DatabaseHome();
  if (expected.empty()) GTEST_SKIP() << "the user has no password database entry";
  std::string trimmed = expected;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  {
    HomeVariable home(std::nullopt);
    EXPECT_EQ(HomeFolder(), trimmed);
  }
  {
    HomeVariable home("");
    EXPECT_EQ(HomeFolder(), trimmed);
  }
}

}  // namespace
}  // namespace cartulon
