#pragma once
// A whole workspace in one file, to carry it to another machine or keep it: the plan folder (its
// Desktop.xml and the buttons' pictures) and the notes file. It is a single XML document written
// with pugixml, each file's bytes in base64, rather than a zip: the Windows build has only Qt and
// pugixml, and this needs no third library on either system.

#include <QByteArray>
#include <QString>

#include <map>

struct TWorkspace {
    QByteArray Notes;                         // the notes file; empty when there was none
    std::map<QString, QByteArray> PlanFiles;  // plain file name → bytes
};

// Reads the plan folder's regular files (links and the kept copies of damaged files are left out)
// and the notes file.
TWorkspace CollectWorkspace(const QString& APlanFolder, const QString& ANotesFile);
QByteArray WorkspaceToBytes(const TWorkspace& AWorkspace);
// Raises EXmlError for a file that is not a workspace, and for a file name that is not a plain
// name (a separator, "." or ".."), so that nothing is written outside the plan folder.
TWorkspace WorkspaceFromBytes(const QByteArray& ABytes, const QString& AFileName);
// Writes the plan files into the folder and the notes file, each replaced safely.
void WriteWorkspace(const TWorkspace& AWorkspace, const QString& APlanFolder, const QString& ANotesFile);
