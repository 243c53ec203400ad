// Qt's standard buttons speak the program's Russian while Qt's texts are installed, and Qt's
// own English again once a language file has them removed.
#include "app/qt_texts.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace zeb::app {
namespace {

QString CancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(QtRussianTexts, StandardButtonsAreRussianUntilRemoved) {
    QtRussianTexts texts;
    ASSERT_TRUE(texts.Install()) << "Qt's Russian translations are not installed";
    EXPECT_EQ(CancelText(), QString::fromUtf8("Отмена"));
    EXPECT_TRUE(texts.Install()) << "a second install changes nothing";
    texts.Remove();
    EXPECT_FALSE(texts.Installed());
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace zeb::app
