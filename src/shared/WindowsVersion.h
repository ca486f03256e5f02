// The running system's version, read once per call as plain numbers for the
// rules in core/base/WindowsVersion.h.
#pragma once

#include "core/base/WindowsVersion.h"

// Major, minor and build number as the system reports them to this program
// (its manifest lists every version up to Windows 11); all zeros when they
// cannot be read.
TWindowsVersion ReadWindowsVersion();
