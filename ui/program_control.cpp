#include "ui/program_control.h"

#include <QApplication>

namespace cartulon {

void ProgramControl::RequestEnd() {
  endRequested_ = true;
  if (inMainLoop_) QCoreApplication::exit(0);
}

int ProgramControl::RunMainLoop() {
  if (endRequested_) return 0;
  inMainLoop_ = true;
  const int code = QApplication::exec();
  inMainLoop_ = false;
  return code;
}

}  // namespace cartulon
