#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>

#include "MessageBox.h"

namespace {

const QLabel* TextLabel(const QMessageBox& box) {
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
}

}  // namespace

TEST(MessageBox, ANameThatLooksLikeMarkupIsShownAsTypedAndHidesNothing) {
    QMessageBox box;
    const QString text = QStringLiteral("确定要运行【<b>x</b><!--】吗？\r\n执行路径：/usr/bin/x");
    SetUpMessageBox(box, text, QStringLiteral("提示"), TMsgIcon::MI_Question, TMsgButtons::MB_YesNo);
    const QLabel* label = TextLabel(box);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(box.windowTitle(), "提示");
    // Shown as plain text the label needs room for both lines; a comment opened by the name would
    // have swallowed the second.
    box.show();
    EXPECT_GE(label->sizeHint().height(), 2 * label->fontMetrics().height());
}

TEST(MessageBox, ButtonsSpeakChineseAndAClickIsTheAnswer) {
    QMessageBox box;
    SetUpMessageBox(box, QStringLiteral("?"), QStringLiteral("提示"), TMsgIcon::MI_Question,
                    TMsgButtons::MB_YesNoCancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "是(&Y)");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "否(&N)");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
    box.button(QMessageBox::Yes)->click();
    EXPECT_EQ(MessageBoxAnswer(box), TMsgResult::MR_Yes);
}

TEST(MessageBox, ABoxClosedWithoutAChoiceGivesTheCautiousAnswer) {
    const struct {
        TMsgButtons Buttons;
        TMsgResult Expected;
    } cases[] = {{TMsgButtons::MB_Ok, TMsgResult::MR_Ok},
                 {TMsgButtons::MB_YesNo, TMsgResult::MR_No},
                 {TMsgButtons::MB_OkCancel, TMsgResult::MR_Cancel},
                 {TMsgButtons::MB_YesNoCancel, TMsgResult::MR_Cancel}};
    for (const auto& c : cases) {
        QMessageBox box;
        SetUpMessageBox(box, QStringLiteral("?"), QStringLiteral("提示"), TMsgIcon::MI_None, c.Buttons);
        EXPECT_EQ(MessageBoxAnswer(box), c.Expected);
    }
}
