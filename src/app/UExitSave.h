// The files part of the closing step for an end that skips the closing step but still runs the
// exit handlers: Qt ends the program with exit(1) when the X connection breaks (a crash of the
// display server, many logouts), and neither the closing step nor aboutToQuit runs then.
#pragma once

class TNotesSaver;

class TExitSave {
 public:
  // Armed from here until this object goes, which is after the normal closing step: exit()
  // destroys nothing on the stack, so the saver and its notes are all there when it runs.
  explicit TExitSave(TNotesSaver& saver);
  ~TExitSave();
  TExitSave(const TExitSave&) = delete;
  TExitSave& operator=(const TExitSave&) = delete;
};
