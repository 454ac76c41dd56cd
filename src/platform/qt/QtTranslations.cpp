#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QLocale DialogLocale(const QLocale& system) {
    if (system.language() == QLocale::Chinese) return system;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
}

std::unique_ptr<QTranslator> LoadQtTranslations(const QLocale& system) {
    const QLocale locale = DialogLocale(system);
    QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        // QTranslator tries zh_Hans_CN, zh_CN, zh in turn: qtbase_zh_CN.qm is found for zh_CN.
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return translator;
    }
    return nullptr;
}
