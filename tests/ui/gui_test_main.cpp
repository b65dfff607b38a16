// The desktop program's tests run in one application object, on the
// offscreen platform unless another is asked for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/program.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The English texts unless a test picks another language.
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  ::setenv("LANG", "C.UTF-8", 1);
  cartulon::CartulonApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  cartulon::ApplyDesignFont(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
