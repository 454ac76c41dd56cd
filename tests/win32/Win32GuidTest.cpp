// GUID names of button images on Windows: QUuid takes them from the system's CoCreateGuid.
// (No Windows headers here: the configuration layer's CSIDL constants share the system's names.)

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QUuid>

#include "uPubFuns.h"

TEST(Win32Guid, NewGuidTextIsABracedUpperCaseRandomGuid) {
    static const QRegularExpression form(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    const QString first = NewGUIDText();
    const QString second = NewGUIDText();
    EXPECT_TRUE(form.match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, second);
    // The system's generator (CoCreateGuid) makes random, version 4 GUIDs.
    EXPECT_EQ(QUuid::fromString(first).version(), QUuid::Random);
}
