#include "vgResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "IvgScene.h"
#include "vgDrawClasses.h"
#include "vgObject.h"
#include "vgStyleReader.h"

TvgResources::TvgResources(QObject* AOwner) : QObject(AOwner) {}

TvgResources::~TvgResources() {
    delete FRoot;
}

void TvgResources::SetRoot(TvgObject* ARoot) {
    if (ARoot == FRoot) return;
    delete FRoot;
    FRoot = ARoot;
    if (FRoot) FRoot->setParent(this);
    NotifyScenes();
}

void TvgResources::LoadFromData(const QByteArray& AData, const QString& ASourceName) {
    SetRoot(ReadStyleTree(AData, ASourceName, this));
}

void TvgResources::LoadFromFile(const QString& AFileName) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TvgStyleError(AFileName, 0, QStringLiteral("cannot be opened: %1").arg(file.errorString()));
    LoadFromData(file.readAll(), AFileName);
}

void TvgResources::SetResource(const QString& value) {
    if (FResource == value) return;
    LoadFromData(value.toUtf8(), QStringLiteral("Resource"));
    FResource = value;
}

void TvgResources::SetFileName(const QString& value) {
    if (FFileName == value) return;
    FFileName = value;
    if (value.isEmpty()) return;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(value);
    LoadFromFile(QFileInfo::exists(beside) ? beside : value);
}

void TvgResources::AddScene(IvgScene* AScene) {
    if (AScene && std::find(FSceneList.begin(), FSceneList.end(), AScene) == FSceneList.end())
        FSceneList.push_back(AScene);
}

void TvgResources::RemoveScene(IvgScene* AScene) {
    std::erase(FSceneList, AScene);
}

void TvgResources::NotifyScenes() {
    const std::vector<IvgScene*> scenes = FSceneList;
    for (IvgScene* scene : scenes)
        if (TvgObject* root = scene->GetRoot()) root->UpdateResource();
}

namespace {

TvgResources*& DefaultSet() {
    static TvgResources* set = nullptr;
    return set;
}

}  // namespace

// Outside any namespace: the macro declares the resource's initialiser where it stands. Calling it
// also keeps the compiled-in data from being dropped when the library is linked statically.
static void InitToolkitStyles() {
    Q_INIT_RESOURCE(vgToolkitStyles);
}

TvgResources* DefaultStyles() {
    TvgResources*& set = DefaultSet();
    if (!set) {
        // Lives until the process ends, like the compiled-in data it is read from.
        set = new TvgResources();
        // The default looks are made of shapes and text; their classes must be registered.
        vgLinkDrawClasses();
        InitToolkitStyles();
        const QString path = QStringLiteral(":/defaultvgstyle");
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) set->LoadFromData(file.readAll(), path);
    }
    return set;
}

bool DefaultStylesLoaded() {
    return DefaultSet() != nullptr;
}
