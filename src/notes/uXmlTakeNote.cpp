#include "uXmlTakeNote.h"

#include <pugixml.hpp>
#include <vector>

#include "uConvert.h"
#include "uErrors.h"
#include "uXmlDocument.h"

namespace {

constexpr const char* kRoot = "TakeNotes";
constexpr const char* kItem = "TakeNote";

class TXMLTakeNotes_TakeNote : public IXMLTakeNotes_TakeNote {
public:
    TXMLTakeNotes_TakeNote(std::shared_ptr<TXmlDocument> document, pugi::xml_node node)
        : FDocument(std::move(document)), FNode(node) {}

    int ID() const override { return Integer("ID"); }
    void SetID(int value) override { SetInteger("ID", value); }
    QString BackImage() const override { return XmlAttributeText(FNode, "BackImage"); }
    void SetBackImage(const QString& value) override { SetXmlAttributeText(FNode, "BackImage", value); }
    QString Content() const override { return XmlAttributeText(FNode, "Content"); }
    void SetContent(const QString& value) override { SetXmlAttributeText(FNode, "Content", value); }
    int RemindTime() const override { return Integer("RemindTime"); }
    void SetRemindTime(int value) override { SetInteger("RemindTime", value); }
    bool IsHide() const override { return TextToBoolean(XmlAttributeText(FNode, "IsHide")); }
    void SetIsHide(bool value) override { SetXmlAttributeText(FNode, "IsHide", BooleanToText(value)); }
    int PositonX() const override { return Integer("PositonX"); }
    void SetPositonX(int value) override { SetInteger("PositonX", value); }
    int PositonY() const override { return Integer("PositonY"); }
    void SetPositonY(int value) override { SetInteger("PositonY", value); }
    QString FontName() const override { return XmlAttributeText(FNode, "FontName"); }
    void SetFontName(const QString& value) override { SetXmlAttributeText(FNode, "FontName", value); }
    int FontSize() const override { return Integer("FontSize"); }
    void SetFontSize(int value) override { SetInteger("FontSize", value); }
    int FontStyle() const override { return Integer("FontStyle"); }
    void SetFontStyle(int value) override { SetInteger("FontStyle", value); }
    int FontColor() const override { return Integer("FontColor"); }
    void SetFontColor(int value) override { SetInteger("FontColor", value); }

private:
    int Integer(const char* name) const { return TextToInteger(XmlAttributeText(FNode, name)); }
    void SetInteger(const char* name, int value) { SetXmlAttributeText(FNode, name, IntegerToText(value)); }

    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FNode;
};

class TXMLTakeNotes : public IXMLTakeNotes {
public:
    TXMLTakeNotes(std::shared_ptr<TXmlDocument> document, pugi::xml_node node)
        : FDocument(std::move(document)), FNode(node) {}

    int Count() const override { return static_cast<int>(Items().size()); }

    IXMLTakeNotes_TakeNotePtr Item(int index) const override {
        const auto& items = Items();
        if (index < 0 || index >= static_cast<int>(items.size()))
            throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
        return ViewOf(items[static_cast<std::size_t>(index)]);
    }

    IXMLTakeNotes_TakeNotePtr Add() override {
        FDocument->Changed();
        return ViewOf(FNode.append_child(kItem));
    }

    IXMLTakeNotes_TakeNotePtr Insert(int index) override {
        const auto& items = Items();
        if (index < 0 || index > static_cast<int>(items.size()))
            throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
        if (index == static_cast<int>(items.size())) return Add();
        const pugi::xml_node before = items[static_cast<std::size_t>(index)];
        FDocument->Changed();
        return ViewOf(FNode.insert_child_before(kItem, before));
    }

    std::shared_ptr<TXmlDocument> OwnerDocument() const override { return FDocument; }

private:
    // Positions are gathered once and again only after the document gained nodes, so reading
    // entry after entry does not walk the list from its start each time.
    const std::vector<pugi::xml_node>& Items() const {
        if (FItemsGeneration != FDocument->Generation()) {
            FItems.clear();
            for (pugi::xml_node child = FNode.child(kItem); child; child = child.next_sibling(kItem))
                FItems.push_back(child);
            FItemsGeneration = FDocument->Generation();
        }
        return FItems;
    }

    IXMLTakeNotes_TakeNotePtr ViewOf(pugi::xml_node node) const {
        return std::make_shared<TXMLTakeNotes_TakeNote>(FDocument, node);
    }

    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FNode;
    mutable std::vector<pugi::xml_node> FItems;
    mutable std::uint64_t FItemsGeneration = UINT64_MAX;
};

IXMLTakeNotesPtr BindRoot(const std::shared_ptr<TXmlDocument>& document, const QString& fileName) {
    const pugi::xml_node root = document->Dom().document_element();
    if (QString::fromUtf8(root.name()) != QLatin1String(kRoot))
        throw EXmlError(QStringLiteral("%1: the root element is not %2").arg(fileName, QLatin1String(kRoot)));
    return std::make_shared<TXMLTakeNotes>(document, root);
}

}  // namespace

IXMLTakeNotesPtr LoadTakeNotes(const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromFile(fileName), fileName);
}

IXMLTakeNotesPtr LoadTakeNotesFromBytes(const QByteArray& bytes, const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromBytes(bytes, fileName), fileName);
}

IXMLTakeNotesPtr NewTakeNotes() {
    auto document = TXmlDocument::New();
    const pugi::xml_node root = document->Dom().append_child(kRoot);
    return std::make_shared<TXMLTakeNotes>(document, root);
}
