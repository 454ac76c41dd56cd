#pragma once
// Hands the working set back to the system every 2000 ms for the program's whole life.

#include "IPlatform.h"

extern TimerId FreeMemoryTimerID;
extern bool FreeMemoryBusy;

void StartFreeMemory();
void StopFreeMemory();

// The timer's tick: does nothing while a previous tick is still processing pending events.
void FreeMemoryTimerProc();
// Trims the working set, then handles every pending event (which may deliver the next tick).
void TrimWorkingSet();
