#include "vgProgramStyles.h"

#include <QFile>

#include "vgDrawClasses.h"
#include "vgResources.h"
#include "vgStyleReader.h"

// Resources of a static library are registered only when something asks for them.
static void InitProgramStylesResource() {
    Q_INIT_RESOURCE(vgProgramStyles);
}

QString ProgramStylesPath() {
    return QStringLiteral(":/styles/program/MyResources.xml");
}

void LoadProgramStyles(TvgResources& AResources) {
    InitProgramStylesResource();
    vgLinkDrawClasses();
    QFile file(ProgramStylesPath());
    if (!file.open(QIODevice::ReadOnly))
        throw TvgStyleError(ProgramStylesPath(), 0, QStringLiteral("not found"));
    AResources.LoadFromData(file.readAll(), ProgramStylesPath());
}
