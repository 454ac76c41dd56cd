#pragma once
// What a document that is not well-formed still holds. The parser keeps the tree it built up to
// the damage; every element in it was read to its end except those still open at the damage. The
// open ones that hold other elements (the root, a list) keep their finished children; an open
// element without element children (an entry whose attributes or text the damage cut) is not
// trustworthy and goes.

#include <QByteArray>

#include <cstddef>
#include <pugixml.hpp>

// Removes the element the damage cut short, if any. `bytes` are the parsed bytes when the parser
// read them as they are (UTF-8), so that the element's end can be looked for before `damageOffset`;
// null when it converted them, in which case the last open entry goes unchecked.
void DropElementCutByDamage(pugi::xml_document& document, const QByteArray* bytes,
                            std::ptrdiff_t damageOffset);
