#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QtTest/QTest>

#include "dialog/LoginDialog.h"

namespace {

TEST(LoginDialog, ShowsTheDatabaseAndStartsInThePasswordWhenAUserIsKnown) {
    TLoginDialog login(nullptr, QStringLiteral("BancoOri"), QStringLiteral("sysdba"));
    login.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
    EXPECT_EQ(login.windowTitle(), QStringLiteral("Database Login"));
    EXPECT_EQ(login.DatabaseLabel->text(), QStringLiteral("BancoOri"));
    EXPECT_EQ(login.UserName->text(), QStringLiteral("sysdba"));
    EXPECT_EQ(login.UserName->maxLength(), 31);
    EXPECT_EQ(login.Password->maxLength(), 31);
    EXPECT_EQ(login.Password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(login.Password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, login.Password), '*');
    EXPECT_EQ(login.OKButton->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(login.OKButton->isDefault());
    EXPECT_EQ(login.CancelButton->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(QApplication::focusWidget(), login.Password);
}

TEST(LoginDialog, EnterAcceptsWhatWasTypedAndEscapeCancels) {
    TLoginDialog login(nullptr, QStringLiteral("BancoDes"), QString());
    login.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
    EXPECT_EQ(QApplication::focusWidget(), login.UserName);
    QTest::keyClicks(login.UserName, QStringLiteral("maria-com-um-nome-longo-demais-para-caber"));
    QTest::keyClick(login.UserName, Qt::Key_Tab);
    QTest::keyClicks(login.Password, QStringLiteral("segredo"));
    QTest::keyClick(login.Password, Qt::Key_Return);
    EXPECT_EQ(login.result(), QDialog::Accepted);
    EXPECT_EQ(login.Entered().userName, "maria-com-um-nome-longo-demais-");
    EXPECT_EQ(login.Entered().password, "segredo");

    TLoginDialog cancelled(nullptr, QStringLiteral("BancoDes"), QStringLiteral("maria"));
    QTimer::singleShot(0, &cancelled, [&] { QTest::keyClick(&cancelled, Qt::Key_Escape); });
    EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
}

}  // namespace
