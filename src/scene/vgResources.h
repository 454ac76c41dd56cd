#pragma once
// A style set: a tree of named style objects under one root (in the program, a TvgBackground whose
// children are the named styles). Controls find their look here by name and wear a clone of it.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class IvgScene;
class TvgObject;

class TvgResources : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString Resource READ Resource WRITE SetResource)

public:
    explicit TvgResources(QObject* AOwner = nullptr);
    ~TvgResources() override;

    TvgObject* Root() const { return FRoot; }
    // Takes ownership of the new root and frees the old one; the scenes re-apply their styles.
    void SetRoot(TvgObject* ARoot);

    // Read a style set (see vgStyleReader.h). Throw TvgStyleError naming the source and line; on
    // failure the previous root stays.
    void LoadFromData(const QByteArray& AData, const QString& ASourceName);
    void LoadFromFile(const QString& AFileName);

    // The style set as text; writing it reads the text.
    QString Resource() const { return FResource; }
    void SetResource(const QString& value);

    QString FileName() const { return FFileName; }
    // Loads the file, looked up first in the program's folder, then as written.
    void SetFileName(const QString& value);

    // Scenes that use this style set; they re-apply their styles when it changes.
    void AddScene(IvgScene* AScene);
    void RemoveScene(IvgScene* AScene);
    const std::vector<IvgScene*>& Scenes() const { return FSceneList; }

private:
    void NotifyScenes();

    TvgObject* FRoot = nullptr;
    QString FFileName;
    QString FResource;
    std::vector<IvgScene*> FSceneList;
};

// The toolkit's default style set, read once per process from the compiled-in resource
// "defaultvgstyle" when first needed.
TvgResources* DefaultStyles();
bool DefaultStylesLoaded();
