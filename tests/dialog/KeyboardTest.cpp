#include <QApplication>
#include <QLineEdit>

#include "DialogFixture.h"

namespace {

const char* kIncomplete = "Dados para cópia estão incompletos.";

using TKeyboardTest = TShownDialogTest;

TEST_F(TKeyboardTest, TabRunsThroughTheControlsBothWays) {
    TF_Traslado& dialog = Dialog();
    // Activation gives the focus to the first control.
    ASSERT_EQ(Focused(), dialog.CBBcoOri);
    const std::vector<QWidget*> forward = {dialog.CBTabOri, dialog.CBBcoDes, dialog.CBTabDes, dialog.BtCopiar,
                                           dialog.CBBcoOri};
    for (QWidget* expected : forward) {
        Press(Qt::Key_Tab);
        EXPECT_EQ(Focused(), expected) << expected->objectName().toStdString();
    }
    const std::vector<QWidget*> backward = {dialog.BtCopiar, dialog.CBTabDes, dialog.CBBcoDes, dialog.CBTabOri,
                                            dialog.CBBcoOri};
    for (QWidget* expected : backward) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), expected) << expected->objectName().toStdString();
    }
    EXPECT_TRUE(m_boxes.messages.empty());
}

struct TAcceleratorCase {
    const char* name;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const TAcceleratorCase& accelerator, std::ostream* out) {
    *out << accelerator.name;
}

class TAcceleratorTest : public TShownDialogTest, public ::testing::WithParamInterface<TAcceleratorCase> {};

TEST_P(TAcceleratorTest, PressesTheButtonAndKeepsTheFocus) {
    TypeInto(Dialog().CBTabDes, QStringLiteral("pessoa"));
    Press(Qt::Key_C, GetParam().modifiers);
    ASSERT_TRUE(WaitFor([&] { return !m_boxes.messages.empty(); }));
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{kIncomplete});
    EXPECT_EQ(Focused(), Dialog().CBTabDes);
    EXPECT_EQ(Dialog().CBTabDes->currentText(), QStringLiteral("pessoa"));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, TAcceleratorTest,
                         ::testing::Values(TAcceleratorCase{"AltC", Qt::AltModifier},
                                           TAcceleratorCase{"AltShiftC", Qt::AltModifier | Qt::ShiftModifier}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TKeyboardTest, EnterAndEscapePressNothingOutsideTheButton) {
    for (QWidget* control : {static_cast<QWidget*>(Dialog().CBBcoOri), static_cast<QWidget*>(Dialog().CBTabDes)}) {
        control->setFocus();
        Press(Qt::Key_Return);
        Press(Qt::Key_Enter, Qt::KeypadModifier);
        Press(Qt::Key_Escape);
    }
    Dialog().BtCopiar->setFocus();
    Press(Qt::Key_Escape);
    QTest::qWait(200);
    EXPECT_TRUE(m_boxes.messages.empty());
    EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(TKeyboardTest, EnterSpaceAndCOnTheFocusedButtonPressIt) {
    Dialog().BtCopiar->setFocus();
    Press(Qt::Key_Return);
    Press(Qt::Key_Enter, Qt::KeypadModifier);
    Press(Qt::Key_Space);
    Press(Qt::Key_C);
    ASSERT_TRUE(WaitFor([&] { return m_boxes.messages.size() == 4; }));
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>(4, kIncomplete));
}

TEST_F(TKeyboardTest, CInAComboBoxIsALetter) {
    Press(Qt::Key_C);
    QTest::qWait(200);
    EXPECT_EQ(Dialog().CBBcoOri->currentText(), QStringLiteral("c"));
    EXPECT_TRUE(m_boxes.messages.empty());
}

}  // namespace
