#pragma once
// What the windows need from the program around them: telling the program
// to end, and the dialogs and settings store they share.
namespace cartulon {

class Dialogs;
class SettingsStore;

// "Telling the application to end": the message loop stops, or never
// starts when the end was asked for before it ran.
class ProgramControl {
 public:
  void RequestEnd();
  bool EndRequested() const { return endRequested_; }
  // Runs the application's message loop unless the end was requested.
  int RunMainLoop();

 private:
  bool endRequested_ = false;
  bool inMainLoop_ = false;
};

struct ProgramServices {
  Dialogs& dialogs;
  SettingsStore& store;
  ProgramControl& control;
};

}  // namespace cartulon
