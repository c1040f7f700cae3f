#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <limits>

#include "DialogFixture.h"
#include "dialog/Layout.h"

namespace {

struct TControlRow {
    const char* name;
    const char* parent;
    QRect place;
    const char* caption;
};

// The controls as the layout draws them, relative to their parents.
const TControlRow kControls[] = {
    {"GroupBox1", "ClientArea", {8, 9, 253, 120}, "Origem dos Dados "},
    {"GroupBox3", "GroupBox1", {8, 14, 236, 43}, "Banco  "},
    {"CBBcoOri", "GroupBox3", {2, 13, 231, 21}, nullptr},
    {"GroupBox4", "GroupBox1", {6, 62, 239, 44}, "Tabela  "},
    {"CBTabOri", "GroupBox4", {2, 16, 233, 21}, nullptr},
    {"GroupBox2", "ClientArea", {283, 8, 253, 121}, "Destino dos Dados "},
    {"GroupBox5", "GroupBox2", {8, 14, 237, 43}, "Banco  "},
    {"CBBcoDes", "GroupBox5", {6, 15, 226, 21}, nullptr},
    {"GroupBox6", "GroupBox2", {8, 63, 237, 45}, "Tabela  "},
    {"CBTabDes", "GroupBox6", {2, 15, 231, 21}, nullptr},
    {"BtCopiar", "ClientArea", {240, 144, 75, 25}, "&Copiar"},
};

using TLayoutTest = TShownDialogTest;

TEST_F(TLayoutTest, EveryControlSitsWhereTheLayoutPutsIt) {
    // The table holds at the design metrics only.
    ASSERT_EQ(QFontMetrics(Dialog().font()).height(), layout::kDesignTextHeight);
    for (const TControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        auto* control = Dialog().findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        EXPECT_EQ(control->geometry(), row.place);
        EXPECT_TRUE(control->isVisible());
        EXPECT_TRUE(control->isEnabled());
        if (auto* box = qobject_cast<QGroupBox*>(control)) {
            EXPECT_EQ(box->title(), QString::fromUtf8(row.caption));
            EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
        }
    }
    EXPECT_EQ(Dialog().BtCopiar->text(), QStringLiteral("&Copiar"));
}

TEST_F(TLayoutTest, WindowOpensAtItsDesignedFrame) {
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Copia de dados de tabelas"));
    EXPECT_EQ(Dialog().frameGeometry(), QRect(152, 133, 550, 214));
    const Qt::WindowFlags flags = Dialog().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_EQ(Dialog().windowState(), Qt::WindowNoState);
    EXPECT_EQ(Dialog().font().pixelSize(), 11);
    // No icon of its own: the application's shows.
    EXPECT_EQ(Dialog().windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(TLayoutTest, SmallerWindowScrollsAndMovesNoControl) {
    auto* scroller = Dialog().findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible());
    Dialog().resize(300, 120);
    ASSERT_TRUE(WaitFor([&] { return scroller->horizontalScrollBar()->isVisible(); }));
    EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
    EXPECT_EQ(Dialog().BtCopiar->geometry(), QRect(240, 144, 75, 25));

    Dialog().resize(900, 500);
    ASSERT_TRUE(WaitFor([&] { return !scroller->horizontalScrollBar()->isVisible(); }));
    EXPECT_EQ(Dialog().GroupBox2->geometry(), QRect(283, 8, 253, 121));
    Dialog().showMaximized();
    EXPECT_TRUE(WaitFor([&] { return Dialog().isMaximized(); }));
}

TEST_F(TLayoutTest, ComboBoxesTakeAnyTextAndKeepTheirOrder) {
    for (QComboBox* box : {Dialog().CBBcoOri, Dialog().CBTabOri, Dialog().CBBcoDes, Dialog().CBTabDes}) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_TRUE(box->isEditable());
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(box->maxVisibleItems(), 8);
        EXPECT_EQ(box->completer(), nullptr);
        EXPECT_EQ(box->lineEdit()->maxLength(), std::numeric_limits<int>::max());
    }
    // Enter keeps a typed name out of the list, and a prefix is not completed.
    QComboBox* box = Dialog().CBTabDes;
    box->addItems({QStringLiteral("zeta"), QStringLiteral("alfa")});
    TypeInto(box, QStringLiteral("al"));
    Press(Qt::Key_Return);
    EXPECT_EQ(box->currentText(), QStringLiteral("al"));
    EXPECT_EQ(Items(box), QStringList({QStringLiteral("zeta"), QStringLiteral("alfa")}));
}

struct TScaleCase {
    const char* name;
    QRect place;
    int textHeight;
    QRect scaled;
};

void PrintTo(const TScaleCase& scale, std::ostream* out) {
    *out << scale.name;
}

class TScaledPlaceTest : public ::testing::TestWithParam<TScaleCase> {};

TEST_P(TScaledPlaceTest, EdgesScaleAndRoundOneByOne) {
    EXPECT_EQ(layout::ScaledPlace(GetParam().place, GetParam().textHeight), GetParam().scaled);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TScaledPlaceTest,
    ::testing::Values(TScaleCase{"DesignHeightKeepsPlace", {240, 144, 75, 25}, 13, {240, 144, 75, 25}},
                      // 16/13: left 295.4 -> 295, right 387.7 -> 388, so the width is 93, not round(92.3).
                      TScaleCase{"LargerFontGrowsEachEdge", {240, 144, 75, 25}, 16, {295, 177, 93, 31}},
                      TScaleCase{"SmallerFontShrinks", {8, 9, 253, 120}, 10, {6, 7, 195, 92}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DialogFont, FollowsTheDisplayDensity) {
    EXPECT_EQ(layout::DialogFont(96).pixelSize(), 11);
    EXPECT_EQ(layout::DialogFont(120).pixelSize(), 14);
    EXPECT_EQ(layout::DialogFont(144).pixelSize(), 17);
}

}  // namespace
