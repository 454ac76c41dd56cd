#pragma once
// One XML document shared by the typed views over its nodes. A view holds the document through a
// shared pointer, so the document lives as long as any view of it.

#include <QString>

#include <cstdint>
#include <memory>
#include <pugixml.hpp>
#include <vector>

class TXmlDocument {
public:
    // An empty document; saving writes the declaration with version "1.0" and no encoding.
    static std::shared_ptr<TXmlDocument> New();
    // Reads and parses a file. Raises EXmlError with the file's or the parser's message.
    static std::shared_ptr<TXmlDocument> LoadFromFile(const QString& fileName);
    // Parses bytes already in memory; fileName only names them in messages.
    static std::shared_ptr<TXmlDocument> LoadFromBytes(const QByteArray& bytes, const QString& fileName);
    // Like LoadFromFile, but a file that is not well-formed gives what precedes the damage: every
    // element read to its end, the lists open at the damage with their finished entries, and not
    // the entry the damage cut. `damage` then names the fault as LoadFromFile would (file, parser
    // message, line and column); it is left empty for a sound file. Raises EXmlError when the file
    // cannot be read at all.
    static std::shared_ptr<TXmlDocument> LoadReadablePart(const QString& fileName, QString& damage);

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
    static QByteArray ReadWhole(const QString& fileName);
    // Parses into a new document. Bytes that are not well-formed leave the part before the damage
    // in it and set `damage`.
    static std::shared_ptr<TXmlDocument> Parse(const QByteArray& bytes, const QString& fileName,
                                               QString& damage);

    pugi::xml_document FDom;
    std::uint64_t FGeneration = 0;
};

// The child elements of one name under a parent, addressed by position. Positions are gathered
// once and again only after the document has gained nodes, so reading entry after entry does not
// walk the list from its start each time.
class TXmlElementList {
public:
    TXmlElementList(std::shared_ptr<TXmlDocument> document, pugi::xml_node parent, const char* name);

    int Count() const { return static_cast<int>(Items().size()); }
    // Raises EXmlError outside 0 … Count() − 1.
    pugi::xml_node At(int index) const;
    pugi::xml_node Append();
    // Before the element at index; index == Count() appends. Raises EXmlError outside 0 … Count().
    pugi::xml_node InsertAt(int index);
    const std::shared_ptr<TXmlDocument>& Document() const { return FDocument; }

private:
    const std::vector<pugi::xml_node>& Items() const;

    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FParent;
    const char* FName;
    mutable std::vector<pugi::xml_node> FItems;
    mutable std::uint64_t FItemsGeneration = UINT64_MAX;
};

// The document's root element when it carries `name`; raises EXmlError naming the file otherwise.
pugi::xml_node RequireRoot(const TXmlDocument& document, const char* name, const QString& fileName);

// Attribute access in QString terms; an absent attribute reads as the empty text.
QString XmlAttributeText(const pugi::xml_node& node, const char* name);
void SetXmlAttributeText(pugi::xml_node& node, const char* name, const QString& value);
