// The desktop program's entry point.
#include "ui/program.h"

int main(int argc, char** argv) { return cartulon::ProgramEntry(argc, argv); }
