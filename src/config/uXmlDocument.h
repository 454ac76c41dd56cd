#pragma once
// One XML document shared by the typed views over its nodes. A view holds the document through a
// shared pointer, so the document lives as long as any view of it.

#include <QString>

#include <cstdint>
#include <memory>
#include <pugixml.hpp>

class TXmlDocument {
public:
    // An empty document; saving writes the declaration with version "1.0" and no encoding.
    static std::shared_ptr<TXmlDocument> New();
    // Reads and parses a file. Raises EXmlError with the file's or the parser's message.
    static std::shared_ptr<TXmlDocument> LoadFromFile(const QString& fileName);
    // Parses bytes already in memory; fileName only names them in messages.
    static std::shared_ptr<TXmlDocument> LoadFromBytes(const QByteArray& bytes, const QString& fileName);

    pugi::xml_document& Dom() { return FDom; }
    const pugi::xml_document& Dom() const { return FDom; }

    // The whole document as UTF-8 bytes, declaration first.
    QByteArray SaveToBytes() const;
    // Replaces the file atomically: a crash or a full disk leaves the old file or the new one.
    // Raises EXmlError when the file cannot be written.
    void SaveToFile(const QString& fileName) const;

    // Bumped by every view that adds nodes, so that views caching positions know to look again.
    std::uint64_t Generation() const { return FGeneration; }
    void Changed() { ++FGeneration; }

private:
    pugi::xml_document FDom;
    std::uint64_t FGeneration = 0;
};

// Attribute access in QString terms; an absent attribute reads as the empty text.
QString XmlAttributeText(const pugi::xml_node& node, const char* name);
void SetXmlAttributeText(pugi::xml_node& node, const char* name, const QString& value);
