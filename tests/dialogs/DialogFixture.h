#pragma once
// A scene manager over a fresh installation, the plan's Desktop.xml written by the test, and
// helpers that make picture files and read the written configuration back.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <vector>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGBaseButton.h"
#include "uMaroviaManage.h"
#include "uXmlDesktop.h"
#include "vgBackground.h"

struct TEntry {
    QString Name;
    QString Place = "0";
    QString IsRunAsk = "false";
    QString FileName = "/usr/bin/true";
    QString CmdLine{};
    QString Image{};
};

// What one written MVButton holds.
struct TWritten {
    QString Name;
    int Place;
    bool IsRunAsk;
    QString FileName;
    QString CmdLine;
    QString Image;
    bool operator==(const TWritten&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TWritten& w) {
    return out << w.Name.toStdString() << "/" << w.Place << "/" << w.IsRunAsk << "/"
               << w.FileName.toStdString() << "/" << w.CmdLine.toStdString() << "/" << w.Image.toStdString();
}

class DialogFixture : public ::testing::Test {
protected:
    QString PlanPath() const { return manage.CurrentPlanPath(); }

    // Writes Desktop.xml and has the scene load it, as at start-up.
    void WritePlan(const std::vector<TEntry>& entries) {
        QByteArray xml = "<?xml version=\"1.0\"?>\n<Desktop><MVButtons>";
        for (const TEntry& e : entries)
            xml += QStringLiteral(
                       "<MVButton Name=\"%1\" Place=\"%2\" IsRunAsk=\"%3\" FileName=\"%4\" CmdLine=\"%5\" "
                       "Image=\"%6\"/>")
                       .arg(e.Name, e.Place, e.IsRunAsk, e.FileName, e.CmdLine, e.Image)
                       .toUtf8();
        xml += "</MVButtons></Desktop>";
        QFile file(manage.CurrentPlanConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(xml);
        file.close();
        manage.LoadFromFile();
    }

    std::vector<TWritten> ReadPlan() const {
        std::vector<TWritten> result;
        const IXMLDesktopPtr desktop = LoadDesktop(manage.CurrentPlanConfigFile());
        const IXMLDesktop_MVButtonsPtr buttons = desktop->MVButtons();
        for (int i = 0; i < buttons->Count(); ++i) {
            const auto item = buttons->Item(i);
            result.push_back({item->Name(), item->Place(), item->IsRunAsk(), item->FileName(),
                              item->CmdLine(), item->Image()});
        }
        return result;
    }

    std::vector<QString> SceneNames() const {
        std::vector<QString> names;
        for (int i = 0; i < manage.ButtonCount(); ++i) names.push_back(manage.GetButton(i)->ButtonName());
        return names;
    }

    // A picture file of one colour; `format` "png", "ico" or any other writer Qt has.
    static void WritePicture(const QString& path, QColor color, int size = 32, const char* format = "png") {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(color);
        QImageWriter writer(path, format);
        ASSERT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    }

    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::vector<QString> PlanImageFiles() const {
        std::vector<QString> files;
        for (const QString& name :
             QDir(PlanPath()).entryList({"*.Png", "*.Ico", "*.png", "*.ico"}, QDir::Files))
            files.push_back(name);
        return files;
    }

    FakePlatformScope platform;
    InstallationScope install;
    TvgBackground root;
    TMaroviaManage manage{&root};
};
