#include "uXmlDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringConverter>

#include "CodePages.h"
#include "uErrors.h"
#include "uSafeSave.h"
#include "uXmlSalvage.h"

namespace {

class ByteArrayWriter : public pugi::xml_writer {
public:
    explicit ByteArrayWriter(QByteArray& target) : FTarget(target) {}
    void write(const void* data, size_t size) override {
        FTarget.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    QByteArray& FTarget;
};

// Line and column make a parse error findable by a person editing the file by hand.
QString ParseErrorText(const pugi::xml_parse_result& result, const QByteArray& bytes,
                       const QString& fileName) {
    const qsizetype offset = qBound(qsizetype(0), qsizetype(result.offset), bytes.size());
    const QByteArray before = bytes.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("%1: %2 (line %3, column %4)")
        .arg(fileName, QString::fromUtf8(result.description()))
        .arg(line)
        .arg(column);
}

// Our files are UTF-8, but a hand-edited one may declare a legacy encoding such as GBK; such a
// file is converted to UTF-8 first so that its Chinese text reads as written.
QByteArray ToUtf8(const QByteArray& bytes) {
    if (QStringConverter::encodingForData(bytes)) return bytes;  // a byte order mark decides
    static const QRegularExpression declared(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([A-Za-z0-9._-]+)["'])"));
    const auto match = declared.match(QString::fromLatin1(bytes.left(256)));
    if (!match.hasMatch()) return bytes;
    const QString name = match.captured(1);
    if (name.startsWith(QLatin1String("utf"), Qt::CaseInsensitive)) return bytes;
    const auto codePage = CodePageNamed(name);
    if (!codePage) return bytes;
    const auto text = DecodeCodePage(bytes, *codePage);
    return text ? text->toUtf8() : bytes;
}

// Larger files are not button lists; refusing them keeps a damaged disk from exhausting memory.
constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

}  // namespace

std::shared_ptr<TXmlDocument> TXmlDocument::New() {
    return std::make_shared<TXmlDocument>();
}

QByteArray TXmlDocument::ReadWhole(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EXmlError(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    if (file.size() > kMaxFileSize)
        throw EXmlError(
            QStringLiteral("%1: the file is too large (%2 bytes)").arg(fileName).arg(file.size()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EXmlError(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    return bytes;
}

std::shared_ptr<TXmlDocument> TXmlDocument::Parse(const QByteArray& original, const QString& fileName,
                                                  QString& damage) {
    const QByteArray bytes = ToUtf8(original);
    auto document = New();
    // The declaration is not kept: every save writes a fresh one, so a foreign encoding named by
    // an old file can never end up in front of the UTF-8 we write. Entities other than XML's
    // own are never expanded by this parser, and DOCTYPE internals are skipped.
    const unsigned options = pugi::parse_default & ~pugi::parse_declaration;
    const pugi::xml_parse_result result =
        document->FDom.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), options);
    if (result) return document;
    damage = ParseErrorText(result, bytes, fileName);
    // The parser's offsets count these bytes unless it converted them from another encoding.
    const auto encoding = QStringConverter::encodingForData(bytes);
    const bool sameBytes = !encoding || *encoding == QStringConverter::Utf8;
    DropElementCutByDamage(document->FDom, sameBytes ? &bytes : nullptr, result.offset);
    return document;
}

std::shared_ptr<TXmlDocument> TXmlDocument::LoadFromFile(const QString& fileName) {
    return LoadFromBytes(ReadWhole(fileName), fileName);
}

std::shared_ptr<TXmlDocument> TXmlDocument::LoadFromBytes(const QByteArray& bytes, const QString& fileName) {
    QString damage;
    auto document = Parse(bytes, fileName, damage);
    if (!damage.isEmpty()) throw EXmlError(damage);
    return document;
}

std::shared_ptr<TXmlDocument> TXmlDocument::LoadReadablePart(const QString& fileName, QString& damage) {
    damage.clear();
    return Parse(ReadWhole(fileName), fileName, damage);
}

QByteArray TXmlDocument::SaveToBytes() const {
    QByteArray bytes;
    ByteArrayWriter writer(bytes);
    // pugixml writes `<?xml version="1.0"?>` itself when the tree holds no declaration node.
    FDom.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return bytes;
}

void TXmlDocument::SaveToFile(const QString& fileName) const {
    try {
        SaveFileSafely(fileName, SaveToBytes());
    } catch (const ESaveError& error) {
        throw EXmlError(error.Message());
    }
}

QString XmlAttributeText(const pugi::xml_node& node, const char* name) {
    return QString::fromUtf8(node.attribute(name).value());
}

void SetXmlAttributeText(pugi::xml_node& node, const char* name, const QString& value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) attribute = node.append_attribute(name);
    attribute.set_value(value.toUtf8().constData());
}

TXmlElementList::TXmlElementList(std::shared_ptr<TXmlDocument> document, pugi::xml_node parent,
                                 const char* name)
    : FDocument(std::move(document)), FParent(parent), FName(name) {}

const std::vector<pugi::xml_node>& TXmlElementList::Items() const {
    if (FItemsGeneration != FDocument->Generation()) {
        FItems.clear();
        for (pugi::xml_node child = FParent.child(FName); child; child = child.next_sibling(FName))
            FItems.push_back(child);
        FItemsGeneration = FDocument->Generation();
    }
    return FItems;
}

pugi::xml_node TXmlElementList::At(int index) const {
    const auto& items = Items();
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items[static_cast<size_t>(index)];
}

pugi::xml_node TXmlElementList::Append() {
    const pugi::xml_node node = FParent.append_child(FName);
    FDocument->Changed();
    return node;
}

pugi::xml_node TXmlElementList::InsertAt(int index) {
    const auto& items = Items();
    if (index < 0 || index > static_cast<int>(items.size()))
        throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
    const pugi::xml_node node = index == static_cast<int>(items.size())
                                    ? FParent.append_child(FName)
                                    : FParent.insert_child_before(FName, items[static_cast<size_t>(index)]);
    FDocument->Changed();
    return node;
}

pugi::xml_node RequireRoot(const TXmlDocument& document, const char* name, const QString& fileName) {
    const pugi::xml_node root = document.Dom().document_element();
    if (QLatin1String(root.name()) != QLatin1String(name))
        throw EXmlError(QStringLiteral("%1: the root element is '%2', expected '%3'")
                            .arg(fileName, QString::fromUtf8(root.name()), QLatin1String(name)));
    return root;
}
