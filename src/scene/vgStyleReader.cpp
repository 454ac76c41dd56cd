#include "vgStyleReader.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QVariant>

#include <pugixml.hpp>

#include <cctype>
#include <cmath>
#include <memory>

#include "vgClassRegistry.h"
#include "vgObject.h"
#include "vgTypes.h"

TvgStyleError::TvgStyleError(const QString& ASourceName, int ALine, const QString& AMessage)
    : std::runtime_error(QStringLiteral("%1:%2: %3").arg(ASourceName).arg(ALine).arg(AMessage).toStdString()),
      FSourceName(ASourceName),
      FLine(ALine),
      FMessage(AMessage) {}

namespace {

int PropertyIndex(const QMetaObject* meta, const QString& name) {
    const int exact = meta->indexOfProperty(name.toLatin1().constData());
    if (exact >= 0) return exact;
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (name.compare(QLatin1String(meta->property(i).name()), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool ParseBool(const QString& text, bool& out) {
    if (text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1") {
        out = true;
        return true;
    }
    if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text == u"0") {
        out = false;
        return true;
    }
    return false;
}

bool EnumValue(const QMetaEnum& e, const QString& text, int& out) {
    bool ok = false;
    QString t = text.trimmed();
    if (e.isFlag()) {
        // Sets are written "[a, b]"; the empty set "[]".
        if (t.startsWith(u'[') && t.endsWith(u']')) t = t.mid(1, t.size() - 2);
        QStringList names = t.split(u',', Qt::SkipEmptyParts);
        for (QString& n : names) n = n.trimmed();
        if (names.isEmpty()) {
            out = 0;
            return true;
        }
        out = e.keysToValue(names.join(u'|').toLatin1().constData(), &ok);
        return ok;
    }
    out = e.keyToValue(t.toLatin1().constData(), &ok);
    if (ok) return true;
    // A number must still name one of the enumeration's values, or the object would carry a
    // value no code expects.
    out = t.toInt(&ok);
    return ok && e.valueToKey(out) != nullptr;
}

QVariant ConvertValue(const QMetaProperty& property, const QString& text, QString& error) {
    const QMetaType type = property.metaType();
    if (property.isEnumType()) {
        int value = 0;
        if (!EnumValue(property.enumerator(), text, value)) {
            error =
                QStringLiteral("\"%1\" is not a value of %2").arg(text, QLatin1String(property.typeName()));
            return {};
        }
        QVariant v(value);
        v.convert(type);
        return v;
    }
    switch (type.id()) {
        case QMetaType::QString:
            return text;
        case QMetaType::Bool: {
            bool b = false;
            if (ParseBool(text.trimmed(), b)) return b;
            error = QStringLiteral("\"%1\" is not True or False").arg(text);
            return {};
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Float:
        case QMetaType::Double: {
            bool ok = false;
            const double d = text.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(d)) {
                error = QStringLiteral("\"%1\" is not a number").arg(text);
                return {};
            }
            QVariant v(d);
            if (type.id() != QMetaType::Float && type.id() != QMetaType::Double && d != std::trunc(d)) {
                error = QStringLiteral("\"%1\" is not a whole number").arg(text);
                return {};
            }
            v.convert(type);
            return v;
        }
        default:
            break;
    }
    QVariant v(text);
    if (!v.canConvert(type) || !v.convert(type)) {
        error = QStringLiteral("\"%1\" cannot be read as %2").arg(text, QLatin1String(property.typeName()));
        return {};
    }
    return v;
}

}  // namespace

bool WritePropertyText(QObject* AObject, const QString& APath, const QString& AValue, QString& AError) {
    RegisterGeometryConverters();
    const QStringList parts = APath.split(u'.');
    QObject* target = AObject;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const int index = PropertyIndex(target->metaObject(), parts[i]);
        QObject* next = nullptr;
        if (index >= 0) {
            const QMetaProperty p = target->metaObject()->property(index);
            if (p.metaType().flags() & QMetaType::PointerToQObject) next = p.read(target).value<QObject*>();
        }
        if (!next) {
            AError = QStringLiteral("%1 has no object property \"%2\"")
                         .arg(QLatin1String(target->metaObject()->className()), parts[i]);
            return false;
        }
        target = next;
    }
    const int index = PropertyIndex(target->metaObject(), parts.last());
    if (index < 0) {
        AError = QStringLiteral("%1 has no property \"%2\"")
                     .arg(QLatin1String(target->metaObject()->className()), parts.last());
        return false;
    }
    const QMetaProperty property = target->metaObject()->property(index);
    if (!property.isWritable()) {
        AError = QStringLiteral("property \"%1\" cannot be written").arg(APath);
        return false;
    }
    QString error;
    const QVariant value = ConvertValue(property, AValue, error);
    if (!error.isEmpty()) {
        AError = QStringLiteral("%1: %2").arg(APath, error);
        return false;
    }
    if (!property.write(target, value)) {
        AError = QStringLiteral("%1: \"%2\" was refused").arg(APath, AValue);
        return false;
    }
    return true;
}

namespace {

constexpr int kMaxDepth = 200;

class TStyleReader {
public:
    TStyleReader(const QByteArray& data, const QString& sourceName) : FData(data), FSource(sourceName) {}

    TvgObject* Read(QObject* owner) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result =
            doc.load_buffer(FData.constData(), static_cast<std::size_t>(FData.size()), pugi::parse_default,
                            pugi::encoding_utf8);
        if (!result) Fail(result.offset, QString::fromUtf8(result.description()));
        const pugi::xml_node top = doc.document_element();
        if (!top) Fail(0, QStringLiteral("the style set holds no object"));
        std::unique_ptr<TvgObject> root(ReadObject(top, owner));
        root->FinishLoading();
        return root.release();
    }

private:
    [[noreturn]] void Fail(std::ptrdiff_t offset, const QString& message) const {
        throw TvgStyleError(FSource, LineAt(offset), message);
    }

    int LineAt(std::ptrdiff_t offset) const {
        if (offset < 0) offset = 0;
        const auto end = std::min<qsizetype>(offset, FData.size());
        return 1 + static_cast<int>(std::count(FData.constBegin(), FData.constBegin() + end, '\n'));
    }

    // pugixml keeps offsets of nodes only; an attribute is found again in the element's start tag,
    // so that an error in a long element names the line of the attribute itself.
    std::ptrdiff_t AttributeOffset(const pugi::xml_node& node, const pugi::xml_attribute& attribute) const {
        const std::ptrdiff_t start = node.offset_debug();
        if (start < 0) return start;
        const qsizetype tagEnd = FData.indexOf('>', start);
        const QByteArray name = QByteArray(attribute.name());
        for (qsizetype at = FData.indexOf(name, start); at >= 0 && (tagEnd < 0 || at < tagEnd);
             at = FData.indexOf(name, at + 1)) {
            qsizetype after = at + name.size();
            while (after < FData.size() && std::isspace(static_cast<unsigned char>(FData[after]))) ++after;
            const bool whole = std::isspace(static_cast<unsigned char>(FData[at - 1]));
            if (whole && after < FData.size() && FData[after] == '=') return at;
        }
        return start;
    }

    TvgObject* ReadObject(const pugi::xml_node& node, QObject* owner, int depth = 0) {
        // Real style trees are a handful of levels deep; a runaway nesting must not exhaust the stack.
        if (depth > kMaxDepth) Fail(node.offset_debug(), QStringLiteral("objects are nested too deeply"));
        const QString className = QString::fromUtf8(node.name());
        std::unique_ptr<TvgObject> object(CreateObjectByClassName(className, owner));
        if (!object) Fail(node.offset_debug(), QStringLiteral("unknown class \"%1\"").arg(className));
        object->SetLoading(true);
        for (const pugi::xml_attribute& attribute : node.attributes()) {
            QString error;
            if (!WritePropertyText(object.get(), QString::fromUtf8(attribute.name()),
                                   QString::fromUtf8(attribute.value()), error))
                Fail(AttributeOffset(node, attribute), error);
        }
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() != pugi::node_element) {
                if (child.type() == pugi::node_pcdata &&
                    !QString::fromUtf8(child.value()).trimmed().isEmpty())
                    Fail(child.offset_debug(), QStringLiteral("text is not allowed between objects"));
                continue;
            }
            TvgObject* made = ReadObject(child, object.get(), depth + 1);
            made->SetLoading(true);
            object->AddObject(made);
        }
        return object.release();
    }

    const QByteArray& FData;
    QString FSource;
};

}  // namespace

TvgObject* ReadStyleTree(const QByteArray& AData, const QString& ASourceName, QObject* AOwner) {
    return TStyleReader(AData, ASourceName).Read(AOwner);
}
