#pragma once
// The one way the program replaces a file. A save either leaves the new content complete or
// fails with an error and leaves the old file byte for byte as it was, whatever the size.

#include <QByteArray>
#include <QString>

#include <functional>

#include "uErrors.h"

class QIODevice;

// A file that could not be written; the old file is untouched.
class ESaveError : public EMvError {
public:
    using EMvError::EMvError;
};

// The steps of a save, in order, as the fault seam names them.
enum class TSaveStep { Open, Write, Flush, Size, Commit };

// Writes ABytes to AFileName through a temporary file beside it, renaming it
// over the old file only after every write, the flush and the written size have been checked.
// Raises ESaveError naming the file and the system's reason.
void SaveFileSafely(const QString& AFileName, const QByteArray& ABytes);

// Copies a file that could not be read whole beside itself ("<name>.unreadable-<time>"), so that
// no later save can cost the user its damaged entries. The copy's path; empty when no copy could
// be made.
QString KeepDamagedFileAside(const QString& AFileName);

// Writes every byte, checking each write; false at the first one that the device refuses.
bool WriteAllBytes(QIODevice& ADevice, const QByteArray& ABytes);

// Test seam: called before each step of every save; returning true makes that step fail as a full
// disk would (no test needs a mount to see a failure). An empty hook removes it.
using TSaveFaultHook = std::function<bool(TSaveStep AStep, const QString& AFileName)>;
void SetSaveFaultHook(TSaveFaultHook AHook);
