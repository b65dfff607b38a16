// The desktop program's entry point.
#include "shell/qt_program.h"

int main(int argc, char** argv) { return cartulon::ProgramEntry(argc, argv); }
