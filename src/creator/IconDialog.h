// TIconDialog: the shell's icon picker, opened on a file with one of its
// icons selected.
#pragma once

#include <string>

class TIconDialog {
public:
  // The file whose icons are offered, and the selected icon; the choice afterwards.
  std::wstring FileName;
  int IconIndex = 0;

  // The file the picker opens on: FileName when such a file exists, else the
  // system folder's SHELL32.DLL.
  std::wstring StartFile() const;
  // True when the user confirmed. Either way FileName and IconIndex then hold
  // what the picker gave back (after a cancel: the start file).
  bool Execute();
};
