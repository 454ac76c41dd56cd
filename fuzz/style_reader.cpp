// Style sets are data: any bytes must give a tree or a TvgStyleError, never a crash or a leak.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "vgObject.h"
#include "vgStyleReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        std::unique_ptr<TvgObject> root(ReadStyleTree(bytes, QStringLiteral("fuzz"), nullptr));
        // A tree that reads must also copy.
        std::unique_ptr<TvgObject> copy(root->Clone(nullptr));
    } catch (const TvgStyleError&) {
    }
    return 0;
}
