#include "uWorkspaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "uErrors.h"
#include "uSafeSave.h"
#include "uXmlDocument.h"

namespace {

constexpr const char* kRoot = "MaroviaWorkspace";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EXmlError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return file.readAll();
}

bool IsPlainName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1Char(':'));
}

QByteArray Decode(const pugi::xml_node& node, const QString& fileName) {
    const auto decoded = QByteArray::fromBase64Encoding(QByteArray(node.child_value()),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) throw EXmlError(fileName + QStringLiteral(": damaged content of ") + node.name());
    return *decoded;
}

}  // namespace

TWorkspace CollectWorkspace(const QString& APlanFolder, const QString& ANotesFile) {
    TWorkspace workspace;
    if (QFileInfo::exists(ANotesFile)) workspace.Notes = ReadAll(ANotesFile);
    const QDir folder(APlanFolder);
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden)) {
        if (info.fileName().contains(QLatin1String(".unreadable-"))) continue;
        workspace.PlanFiles[info.fileName()] = ReadAll(info.filePath());
    }
    return workspace;
}

QByteArray WorkspaceToBytes(const TWorkspace& AWorkspace) {
    const auto document = TXmlDocument::New();
    pugi::xml_node root = document->Dom().append_child(kRoot);
    root.append_attribute("Version").set_value(1);
    if (!AWorkspace.Notes.isEmpty())
        root.append_child("Notes").text().set(AWorkspace.Notes.toBase64().constData());
    pugi::xml_node plan = root.append_child("Plan");
    for (const auto& [name, bytes] : AWorkspace.PlanFiles) {
        pugi::xml_node file = plan.append_child("File");
        SetXmlAttributeText(file, "Name", name);
        file.text().set(bytes.toBase64().constData());
    }
    return document->SaveToBytes();
}

TWorkspace WorkspaceFromBytes(const QByteArray& ABytes, const QString& AFileName) {
    const auto document = TXmlDocument::LoadFromBytes(ABytes, AFileName);
    const pugi::xml_node root = RequireRoot(*document, kRoot, AFileName);
    TWorkspace workspace;
    if (const pugi::xml_node notes = root.child("Notes")) workspace.Notes = Decode(notes, AFileName);
    for (pugi::xml_node file = root.child("Plan").child("File"); file; file = file.next_sibling("File")) {
        const QString name = XmlAttributeText(file, "Name");
        if (!IsPlainName(name))
            throw EXmlError(AFileName + QStringLiteral(": the file name '%1' is not allowed").arg(name));
        workspace.PlanFiles[name] = Decode(file, AFileName);
    }
    return workspace;
}

void WriteWorkspace(const TWorkspace& AWorkspace, const QString& APlanFolder, const QString& ANotesFile) {
    QDir().mkpath(APlanFolder);
    for (const auto& [name, bytes] : AWorkspace.PlanFiles)
        SaveFileSafely(QDir(APlanFolder).filePath(name), bytes);
    if (!AWorkspace.Notes.isEmpty()) SaveFileSafely(ANotesFile, AWorkspace.Notes);
}
