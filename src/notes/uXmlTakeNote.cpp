#include "uXmlTakeNote.h"

#include <pugixml.hpp>

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
        : FItems(std::move(document), node, kItem) {}

    int Count() const override { return FItems.Count(); }
    IXMLTakeNotes_TakeNotePtr Item(int index) const override { return ViewOf(FItems.At(index)); }
    IXMLTakeNotes_TakeNotePtr Add() override { return ViewOf(FItems.Append()); }
    IXMLTakeNotes_TakeNotePtr Insert(int index) override { return ViewOf(FItems.InsertAt(index)); }
    std::shared_ptr<TXmlDocument> OwnerDocument() const override { return FItems.Document(); }

private:
    IXMLTakeNotes_TakeNotePtr ViewOf(pugi::xml_node node) const {
        return std::make_shared<TXMLTakeNotes_TakeNote>(FItems.Document(), node);
    }

    TXmlElementList FItems;
};

IXMLTakeNotesPtr BindRoot(const std::shared_ptr<TXmlDocument>& document, const QString& fileName) {
    return std::make_shared<TXMLTakeNotes>(document, RequireRoot(*document, kRoot, fileName));
}

}  // namespace

IXMLTakeNotesPtr LoadTakeNotes(const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromFile(fileName), fileName);
}

IXMLTakeNotesPtr LoadTakeNotesReadablePart(const QString& fileName, QString& damage) {
    auto document = TXmlDocument::LoadReadablePart(fileName, damage);
    // Damage before the root's name leaves nothing to read.
    if (!damage.isEmpty() && QLatin1String(document->Dom().document_element().name()) != QLatin1String(kRoot))
        throw EXmlError(damage);
    return BindRoot(document, fileName);
}

IXMLTakeNotesPtr LoadTakeNotesFromBytes(const QByteArray& bytes, const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromBytes(bytes, fileName), fileName);
}

IXMLTakeNotesPtr NewTakeNotes() {
    auto document = TXmlDocument::New();
    const pugi::xml_node root = document->Dom().append_child(kRoot);
    return std::make_shared<TXMLTakeNotes>(document, root);
}
