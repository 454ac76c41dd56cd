#pragma once
// A fresh installation folder for one test, published as the process-wide PathInfo.

#include <QTemporaryDir>

#include <memory>

#include "uPathInfo.h"

class InstallationScope {
public:
    InstallationScope() : FPaths(std::make_unique<TPathInfo>(FFolder.path())), FPrevious(PathInfo) {
        PathInfo = FPaths.get();
    }
    ~InstallationScope() { PathInfo = FPrevious; }
    InstallationScope(const InstallationScope&) = delete;
    InstallationScope& operator=(const InstallationScope&) = delete;

    QString Folder() const { return FFolder.path(); }
    TPathInfo& Paths() { return *FPaths; }

private:
    QTemporaryDir FFolder;
    std::unique_ptr<TPathInfo> FPaths;
    TPathInfo* FPrevious;
};
