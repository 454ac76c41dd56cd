// Desktop.xml as the button loader reads it: parse, bind the root, then every value of every
// entry. Errors must arrive as the program's own exceptions, never as a crash.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "uErrors.h"
#include "uXmlDesktop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const IXMLDesktopPtr desktop = LoadDesktopFromBytes(bytes, QStringLiteral("Desktop.xml"));
        const IXMLDesktop_MVButtonsPtr buttons = desktop->MVButtons();
        const int count = buttons->Count();
        for (int i = 0; i < count; ++i) {
            const auto button = buttons->Item(i);
            (void)button->Name();
            (void)button->FileName();
            (void)button->CmdLine();
            (void)button->Image();
            try {
                (void)button->Place();
            } catch (const EConvertError&) {
            }
            try {
                (void)button->IsRunAsk();
            } catch (const EConvertError&) {
            }
        }
    } catch (const EMvError&) {
    }
    return 0;
}
