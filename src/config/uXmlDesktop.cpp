#include "uXmlDesktop.h"

#include "uConvert.h"
#include "uErrors.h"
#include "uXmlDesktopNodes.h"

namespace {
constexpr const char* kRoot = "Desktop";
constexpr const char* kList = "MVButtons";
constexpr const char* kItem = "MVButton";
}  // namespace

// --- one button -------------------------------------------------------------------------------

QString TXMLDesktop_MVButtons_MVButton::Name() const {
    return XmlAttributeText(FNode, "Name");
}
void TXMLDesktop_MVButtons_MVButton::SetName(const QString& value) {
    SetXmlAttributeText(FNode, "Name", value);
}

int TXMLDesktop_MVButtons_MVButton::Place() const {
    return TextToInteger(XmlAttributeText(FNode, "Place"));
}
void TXMLDesktop_MVButtons_MVButton::SetPlace(int value) {
    SetXmlAttributeText(FNode, "Place", IntegerToText(value));
}

bool TXMLDesktop_MVButtons_MVButton::IsRunAsk() const {
    return TextToBoolean(XmlAttributeText(FNode, "IsRunAsk"));
}
void TXMLDesktop_MVButtons_MVButton::SetIsRunAsk(bool value) {
    SetXmlAttributeText(FNode, "IsRunAsk", BooleanToText(value));
}

QString TXMLDesktop_MVButtons_MVButton::FileName() const {
    return XmlAttributeText(FNode, "FileName");
}
void TXMLDesktop_MVButtons_MVButton::SetFileName(const QString& value) {
    SetXmlAttributeText(FNode, "FileName", value);
}

QString TXMLDesktop_MVButtons_MVButton::CmdLine() const {
    return XmlAttributeText(FNode, "CmdLine");
}
void TXMLDesktop_MVButtons_MVButton::SetCmdLine(const QString& value) {
    SetXmlAttributeText(FNode, "CmdLine", value);
}

QString TXMLDesktop_MVButtons_MVButton::Image() const {
    return XmlAttributeText(FNode, "Image");
}
void TXMLDesktop_MVButtons_MVButton::SetImage(const QString& value) {
    SetXmlAttributeText(FNode, "Image", value);
}

bool TXMLDesktop_MVButtons_MVButton::IsAdvert() const {
    return TextToBoolean(XmlAttributeText(FNode, "IsAdvert"));
}
void TXMLDesktop_MVButtons_MVButton::SetIsAdvert(bool value) {
    SetXmlAttributeText(FNode, "IsAdvert", BooleanToText(value));
}

// --- the list ---------------------------------------------------------------------------------

const std::vector<pugi::xml_node>& TXMLDesktop_MVButtons::Items() const {
    if (FItemsGeneration != FDocument->Generation()) {
        FItems.clear();
        for (pugi::xml_node child = FNode.child(kItem); child; child = child.next_sibling(kItem))
            FItems.push_back(child);
        FItemsGeneration = FDocument->Generation();
    }
    return FItems;
}

IXMLDesktop_MVButtons_MVButtonPtr TXMLDesktop_MVButtons::ViewOf(pugi::xml_node node) const {
    return std::make_shared<TXMLDesktop_MVButtons_MVButton>(FDocument, node);
}

int TXMLDesktop_MVButtons::Count() const {
    return static_cast<int>(Items().size());
}

IXMLDesktop_MVButtons_MVButtonPtr TXMLDesktop_MVButtons::Item(int index) const {
    const auto& items = Items();
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return ViewOf(items[static_cast<size_t>(index)]);
}

IXMLDesktop_MVButtons_MVButtonPtr TXMLDesktop_MVButtons::Add() {
    const pugi::xml_node node = FNode.append_child(kItem);
    FDocument->Changed();
    return ViewOf(node);
}

IXMLDesktop_MVButtons_MVButtonPtr TXMLDesktop_MVButtons::Insert(int index) {
    const auto& items = Items();
    if (index < 0 || index > static_cast<int>(items.size()))
        throw EXmlError(QStringLiteral("List index out of bounds (%1)").arg(index));
    const pugi::xml_node node = index == static_cast<int>(items.size())
                                    ? FNode.append_child(kItem)
                                    : FNode.insert_child_before(kItem, items[static_cast<size_t>(index)]);
    FDocument->Changed();
    return ViewOf(node);
}

// --- the root ---------------------------------------------------------------------------------

IXMLDesktop_MVButtonsPtr TXMLDesktop::MVButtons() {
    pugi::xml_node list = FNode.child(kList);
    if (!list) {
        list = FNode.append_child(kList);
        FDocument->Changed();
    }
    return std::make_shared<TXMLDesktop_MVButtons>(FDocument, list);
}

// --- opening and creating ---------------------------------------------------------------------

namespace {
IXMLDesktopPtr BindRoot(const std::shared_ptr<TXmlDocument>& document, const QString& fileName) {
    const pugi::xml_node root = document->Dom().document_element();
    if (QLatin1String(root.name()) != QLatin1String(kRoot))
        throw EXmlError(QStringLiteral("%1: the root element is '%2', expected '%3'")
                            .arg(fileName, QString::fromUtf8(root.name()), QLatin1String(kRoot)));
    return std::make_shared<TXMLDesktop>(document, root);
}
}  // namespace

IXMLDesktopPtr LoadDesktop(const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromFile(fileName), fileName);
}

IXMLDesktopPtr LoadDesktopFromBytes(const QByteArray& bytes, const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromBytes(bytes, fileName), fileName);
}

IXMLDesktopPtr NewDesktop() {
    auto document = TXmlDocument::New();
    const pugi::xml_node root = document->Dom().append_child(kRoot);
    return std::make_shared<TXMLDesktop>(document, root);
}
