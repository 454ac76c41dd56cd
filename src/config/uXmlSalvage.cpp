#include "uXmlSalvage.h"

#include <cstring>

namespace {

// The end of the start tag whose name begins at `nameOffset`, quotes respected: the offset just
// past its '>', and whether it closed the element ("/>"); -1 when the tag does not end before `limit`.
std::ptrdiff_t StartTagEnd(const QByteArray& bytes, std::ptrdiff_t nameOffset, std::ptrdiff_t limit,
                           bool& selfClosing) {
    char quote = 0;
    for (std::ptrdiff_t i = nameOffset; i < limit; ++i) {
        const char c = bytes.at(i);
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            selfClosing = i > nameOffset && bytes.at(i - 1) == '/';
            return i + 1;
        }
    }
    return -1;
}

// Whether an element without element children was read to its end before the damage: its start
// tag closed it, or its end tag follows.
bool EndsBefore(const pugi::xml_node& element, const QByteArray& bytes, std::ptrdiff_t damageOffset) {
    const std::ptrdiff_t start = element.offset_debug();
    // Data that simply ends is reported at its last byte: everything up to the end was read.
    const std::ptrdiff_t size = bytes.size();
    const std::ptrdiff_t limit = damageOffset >= size - 1 ? size : damageOffset;
    if (start < 0 || start >= limit) return false;
    bool selfClosing = false;
    const std::ptrdiff_t contentStart = StartTagEnd(bytes, start, limit, selfClosing);
    if (contentStart < 0) return false;
    if (selfClosing) return true;
    const QByteArray endTag = QByteArray("</") + element.name();
    const qsizetype found = bytes.indexOf(endTag, contentStart);
    if (found < 0) return false;
    const std::ptrdiff_t afterName = found + endTag.size();
    for (std::ptrdiff_t i = afterName; i < limit; ++i) {
        const char c = bytes.at(i);
        if (c == '>') return true;
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return false;
}

bool HasElementChild(const pugi::xml_node& node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element) return true;
    return false;
}

}  // namespace

void DropElementCutByDamage(pugi::xml_document& document, const QByteArray* bytes,
                            std::ptrdiff_t damageOffset) {
    // The elements open at the damage are the last child at each level, as long as that child is
    // an element: a text or other node after an element means the parser had finished it.
    pugi::xml_node deepest;
    for (pugi::xml_node last = document.last_child(); last && last.type() == pugi::node_element;
         last = last.last_child())
        deepest = last;
    if (!deepest || HasElementChild(deepest)) return;
    if (bytes && EndsBefore(deepest, *bytes, damageOffset)) return;
    deepest.parent().remove_child(deepest);
}
