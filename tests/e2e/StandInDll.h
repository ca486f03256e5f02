// What the stand-in DLLs of the end-to-end tests share: a log of the calls
// they take, beside the DLL, and their COM objects counted for
// DllCanUnloadNow. The unit defines DllMain and DllCanUnloadNow; each DLL
// defines its own DllGetClassObject.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "shared/ComObject.h"

namespace stand_in {

// Appends line and a line break, in UTF-8, to "<this DLL's path>.txt". May be
// called on several threads at once.
void Record(const std::wstring& line);

extern std::atomic<long> objects;

// A COM object of the DLL: TComObject's reference counting, and counted while
// it lives.
template <typename... Interfaces>
class TCounted : public TComObject<Interfaces...> {
protected:
  TCounted() { ++objects; }
  ~TCounted() override { --objects; }
};

}  // namespace stand_in
