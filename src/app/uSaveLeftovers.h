#pragma once
// A save writes a temporary file beside the one it replaces and renames it over that file when it
// is complete; a run killed in between leaves the temporary behind ("TakeNote.dat.aB3xYz"). The
// next start, holding the lock, removes those leftovers from the data folder and its plan folders.

#include <QString>

// Returns how many leftovers were removed.
int RemoveSaveLeftovers(const QString& ADataPath);
