#include "uXmlDesktop.h"

#include "uConvert.h"
#include "uErrors.h"
#include "uXmlDesktopNodes.h"

namespace {
constexpr const char* kRoot = "Desktop";
constexpr const char* kList = "MVButtons";
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
    return std::make_shared<TXMLDesktop>(document, RequireRoot(*document, kRoot, fileName));
}
}  // namespace

IXMLDesktopPtr LoadDesktop(const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromFile(fileName), fileName);
}

IXMLDesktopPtr LoadDesktopReadablePart(const QString& fileName, QString& damage) {
    auto document = TXmlDocument::LoadReadablePart(fileName, damage);
    // Damage before the root's name leaves nothing to read.
    if (!damage.isEmpty() && QLatin1String(document->Dom().document_element().name()) != QLatin1String(kRoot))
        throw EXmlError(damage);
    return BindRoot(document, fileName);
}

IXMLDesktopPtr LoadDesktopFromBytes(const QByteArray& bytes, const QString& fileName) {
    return BindRoot(TXmlDocument::LoadFromBytes(bytes, fileName), fileName);
}

IXMLDesktopPtr NewDesktop() {
    auto document = TXmlDocument::New();
    const pugi::xml_node root = document->Dom().append_child(kRoot);
    return std::make_shared<TXMLDesktop>(document, root);
}
