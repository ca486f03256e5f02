// Keeping the process alive for the shell's windows. Some verbs (the
// properties above all) show their windows on threads of the process that ran
// them, so a program that ends after running such a verb takes the window
// down with it. The shell takes a reference on the process for such threads
// when the process offers one; a program waits until that reference is
// released and no window of its process is left.
#pragma once

#include <windows.h>

// Offers the shell a reference on this process for its threads (when the
// system has the means; it is looked up at run time). Idempotent.
void OfferShellProcessReference();
// Withdraws the offer; call before the process ends.
void WithdrawShellProcessReference();
// True while the shell holds a reference taken on the offer.
bool ShellHoldsProcessReference();
// Whether a visible top-level window of this process stands, other than
// except (the program's own, hidden or not).
bool ProcessShowsWindowsBeside(HWND except);
