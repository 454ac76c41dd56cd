#pragma once
// The button pictures the manage dialog stores in the plan folder, and the one rule for removing
// them: a file is deleted only when it lies inside that folder, whatever the name says.

#include <QString>
#include <QStringList>

// True when the file named by APath lies inside AFolder or one of its subfolders, symbolic links
// and ".." resolved. The folder itself, or a name without a file part, is not inside.
bool IsInsideFolder(const QString& APath, const QString& AFolder);

// Deletes each queued file that lies inside the plan folder and is not in AKeep (the pictures the
// remaining buttons still name). Failures are ignored: a picture left behind costs only space.
void DeleteImageFiles(const QStringList& AFiles, const QString& APlanFolder, const QStringList& AKeep);

// APath with its extension replaced (AExt includes the dot).
QString ChangeFileExt(const QString& APath, const QString& AExt);
