// Placeholder until the Linux shell services are merged.
#include <memory>

#include "IShell.h"

namespace {
class NullShell : public IShell {
public:
    bool RunFile(const QString&, const QString&) override { return false; }
    QString WallPaper() override { return {}; }
    unsigned DesktopColor() override { return 0x00A56E3A; }
    QString SpecialFolderPath(TSpecialFolder) override { return {}; }
    bool ReadShortcut(const QString&, TShortcutTarget&) override { return false; }
    bool ExtractIconToFile(const QString&, const QString&) override { return false; }
    bool OpenDisplaySettings() override { return false; }
};
}  // namespace

std::unique_ptr<IShell> CreateNativeShell() {
    return std::make_unique<NullShell>();
}
