// The system dialogs as the user meets them: Qt's own texts in Chinese, the font chooser on the
// note's font.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontDialog>

#include "FontDialog.h"
#include "QtTranslations.h"

TEST(QtTranslations, AChineseSystemKeepsItsOwnChineseAndAnyOtherGetsSimplifiedChinese) {
    EXPECT_EQ(DialogLocale(QLocale(QLocale::Chinese, QLocale::Taiwan)).name(), "zh_TW");
    EXPECT_EQ(DialogLocale(QLocale(QLocale::Chinese, QLocale::China)).name(), "zh_CN");
    EXPECT_EQ(DialogLocale(QLocale(QLocale::English, QLocale::UnitedStates)).name(), "zh_CN");
    EXPECT_EQ(DialogLocale(QLocale::c()).name(), "zh_CN");
}

TEST(QtTranslations, QtsOwnButtonsAndFileDialogTextsAreTranslated) {
    const std::unique_ptr<QTranslator> english = LoadQtTranslations(QLocale(QLocale::English));
    ASSERT_NE(english, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
    EXPECT_EQ(english->translate("QPlatformTheme", "Cancel"), "取消");
    EXPECT_EQ(english->translate("QFileDialog", "File &name:"), "文件名称(&N)：");

    const std::unique_ptr<QTranslator> taiwan =
        LoadQtTranslations(QLocale(QLocale::Chinese, QLocale::Taiwan));
    ASSERT_NE(taiwan, nullptr);
    EXPECT_TRUE(taiwan->filePath().endsWith("qtbase_zh_TW.qm")) << taiwan->filePath().toStdString();
}

TEST(FontChooser, OpensOnTheFaceThatStandsInForASubstitutedFamilyAtTheNotesSize) {
    // The program's own substitution of "宋体" (fonts-noto-cjk).
    const QString face = "Noto Serif CJK SC";
    ASSERT_TRUE(QFontDatabase::hasFamily(face));
    QFont::insertSubstitution("Marovia Test Song", face);
    TDialogFont font;
    font.Family = "Marovia Test Song";
    font.Height = 16;  // pixels: 12 points
    font.Bold = true;
    QFontDialog chooser(ToChooserFont(font));
    EXPECT_EQ(chooser.currentFont().family(), face);
    EXPECT_EQ(chooser.currentFont().pointSize(), 12);
    EXPECT_TRUE(chooser.currentFont().bold());
    // Kept as the note's own name while the user stays on that face.
    EXPECT_EQ(FromChooserFamily(face, font.Family), font.Family);
    EXPECT_EQ(FromChooserFamily("Other Face", font.Family), "Other Face");
    QFont::removeSubstitutions("Marovia Test Song");
}
