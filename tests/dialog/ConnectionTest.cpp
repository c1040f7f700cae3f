#include <QApplication>
#include <QLineEdit>

#include "DialogFixture.h"

namespace {

using copy::TSide;

const char* kSourceConnect = "Erro ao tentar conectar com o banco de dados Origem: ";
const QStringList kSourceTables = {QStringLiteral("cidade"), QStringLiteral("pessoa")};

class TConnectionTest : public TShownDialogTest {
protected:
    std::string ExtraAliases() override {
        return "[Protegido]\nTYPE=SQLITE\nPATH=" + (m_dir / "origem.db").string() + "\nUSER NAME=sysdba\n";
    }

    // Connects the source side as a person would: type the alias, Tab.
    void ConnectSource(const QString& alias) {
        TypeInto(Dialog().CBBcoOri, alias);
        Press(Qt::Key_Tab);
    }
};

TEST_F(TConnectionTest, TabFromTheDatabaseBoxConnectsThenLists) {
    ConnectSource(QStringLiteral("Origem"));
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_EQ(Dialog().DbOri.AliasName(), "Origem");
    EXPECT_EQ(Focused(), Dialog().CBTabOri);
    EXPECT_EQ(Items(Dialog().CBTabOri), kSourceTables);
    EXPECT_EQ(Dialog().CBTabOri->currentText(), QString());
    EXPECT_FALSE(Dialog().DbDes.Connected());
    EXPECT_TRUE(m_boxes.messages.empty());
}

TEST_F(TConnectionTest, EmptyTextLeavesAConnectedSideAlone) {
    ConnectSource(QStringLiteral("Origem"));
    Dialog().CBTabOri->setEditText(QStringLiteral("pessoa"));
    TypeInto(Dialog().CBBcoOri, QString());
    Dialog().CBBcoOri->clearEditText();
    // Backwards, so that no listing follows.
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_EQ(Dialog().DbOri.AliasName(), "Origem");
    EXPECT_TRUE(Dialog().DbItemsOri.Active());
    EXPECT_EQ(Dialog().CBTabOri->currentText(), QStringLiteral("pessoa"));
    EXPECT_TRUE(m_boxes.messages.empty());
}

TEST_F(TConnectionTest, SameAliasReconnectsAndClosesTableAndList) {
    ConnectSource(QStringLiteral("Origem"));
    Dialog().TabOri.SetTableName("pessoa");
    Dialog().TabOri.Open();
    Dialog().CBBcoOri->setFocus();
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_FALSE(Dialog().TabOri.Active());
    EXPECT_FALSE(Dialog().DbItemsOri.Active());
    // The box keeps the list of the earlier step.
    EXPECT_EQ(Items(Dialog().CBTabOri), kSourceTables);
}

struct TBadAliasCase {
    const char* name;
    TSide side;
    const char* text;
    const char* prefix;
};

void PrintTo(const TBadAliasCase& badAlias, std::ostream* out) {
    *out << badAlias.name;
}

class TBadAliasTest : public TConnectionTest, public ::testing::WithParamInterface<TBadAliasCase> {};

TEST_P(TBadAliasTest, FailsWithTheSidePrefixAndKeepsTheText) {
    const TBadAliasCase& badAlias = GetParam();
    QComboBox* box = badAlias.side == copy::sdOri ? Dialog().CBBcoOri : Dialog().CBBcoDes;
    const QString text = QString::fromUtf8(badAlias.text);
    TypeInto(box, text);
    Press(Qt::Key_Tab);
    ASSERT_EQ(m_boxes.messages.size(), 1u);
    EXPECT_EQ(m_boxes.messages[0], std::string(badAlias.prefix) + "Alias desconhecido: '" + badAlias.text + "'");
    EXPECT_EQ(Focused(), box);
    EXPECT_EQ(box->currentText(), text);
    dbaccess::TDatabase& connection = Dialog().Database(badAlias.side);
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.AliasName(), badAlias.text);
    // The table box was not entered: the failed connect took the focus back.
    EXPECT_FALSE(Dialog().DbItemsOri.Active());
}

INSTANTIATE_TEST_SUITE_P(Connection, TBadAliasTest,
                         ::testing::Values(TBadAliasCase{"UnknownAlias", copy::sdOri, "Inexistente", kSourceConnect},
                                           TBadAliasCase{"Blanks", copy::sdOri, "   ", kSourceConnect},
                                           TBadAliasCase{"StrayBlankOnDestination", copy::sdDes, "Destino ",
                                                         "Erro ao tentar conectar com o banco de dados Destino: "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TConnectionTest, LoginBoxCancelFailsAndOkRemembersTheUserName) {
    ConnectSource(QStringLiteral("Protegido"));
    ASSERT_EQ(m_boxes.loginsAsked.size(), 1u);
    EXPECT_EQ(m_boxes.loginsAsked[0].databaseName, "BancoOri");
    EXPECT_EQ(m_boxes.loginsAsked[0].userName, "sysdba");
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{std::string(kSourceConnect) +
                                                         "Não é possível conectar com o banco de dados 'BancoOri'"});
    EXPECT_FALSE(Dialog().DbOri.Connected());
    EXPECT_EQ(Focused(), Dialog().CBBcoOri);

    m_boxes.loginAnswers.push_back(dbaccess::TLogin{"maria", "segredo"});
    Press(Qt::Key_Tab);
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_EQ(Items(Dialog().CBTabOri), kSourceTables);

    // The same alias again asks again, with the name entered last on this side.
    m_boxes.loginAnswers.push_back(dbaccess::TLogin{"maria", "segredo"});
    Dialog().CBBcoOri->setFocus();
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(m_boxes.loginsAsked.size(), 3u);
    EXPECT_EQ(m_boxes.loginsAsked[2].userName, "maria");
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_EQ(Dialog().DbOri.Params.count("PASSWORD"), 0u);
}

TEST_F(TConnectionTest, FailedConnectEndsTheMoveThatStartedIt) {
    TypeInto(Dialog().CBBcoDes, QStringLiteral("Destino"));
    Press(Qt::Key_Tab);
    Dialog().CBTabDes->setCurrentIndex(1);
    TypeInto(Dialog().CBBcoOri, QStringLiteral("Inexistente"));
    // A click into the other side's table box: its listing must not run.
    QTest::mouseClick(Dialog().CBTabDes, Qt::LeftButton);
    EXPECT_EQ(m_boxes.messages.size(), 1u);
    EXPECT_EQ(Focused(), Dialog().CBBcoOri);
    EXPECT_EQ(Dialog().CBTabDes->currentText(), QStringLiteral("pessoa"));
}

TEST_F(TConnectionTest, DisconnectedSideListsNothing) {
    Dialog().CBTabOri->addItems({QStringLiteral("velha")});
    Dialog().CBTabOri->setEditText(QStringLiteral("escolhida"));
    // Never connected, then after a failed connect.
    Press(Qt::Key_Tab);
    ConnectSource(QStringLiteral("Inexistente"));
    Dialog().CBBcoOri->clearEditText();
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Dialog().CBTabOri);
    EXPECT_EQ(Items(Dialog().CBTabOri), QStringList{QStringLiteral("velha")});
    EXPECT_EQ(Dialog().CBTabOri->currentText(), QStringLiteral("escolhida"));
}

TEST_F(TConnectionTest, SecondEntryRebuildsTheListAndClearsTheChoice) {
    ConnectSource(QStringLiteral("Origem"));
    Dialog().CBTabOri->setCurrentIndex(1);
    ASSERT_EQ(Dialog().CBTabOri->currentText(), QStringLiteral("pessoa"));
    Press(Qt::Key_Tab);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Items(Dialog().CBTabOri), kSourceTables);
    EXPECT_EQ(Dialog().CBTabOri->currentText(), QString());
}

TEST_F(TConnectionTest, DatabaseWithoutTablesGivesAnEmptyList) {
    Dialog().CBTabOri->addItems({QStringLiteral("velha")});
    ConnectSource(QStringLiteral("Vazio"));
    EXPECT_TRUE(Dialog().DbOri.Connected());
    EXPECT_EQ(Dialog().CBTabOri->count(), 0);
    EXPECT_TRUE(m_boxes.messages.empty());
}

TEST_F(TConnectionTest, SwitchedSideKeepsTheStaleListUntilEntered) {
    ConnectSource(QStringLiteral("Origem"));
    Dialog().CBTabOri->setCurrentIndex(0);
    TypeInto(Dialog().CBBcoOri, QStringLiteral("Vazio"));
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Dialog().DbOri.AliasName(), "Vazio");
    EXPECT_EQ(Items(Dialog().CBTabOri), kSourceTables);
    EXPECT_EQ(Dialog().CBTabOri->currentText(), QStringLiteral("cidade"));
}

TEST_F(TConnectionTest, ListThatTakesNoMoreNamesKeepsThoseAppended) {
    Dialog().CBTabOri->setMaxCount(1);
    ConnectSource(QStringLiteral("Origem"));
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{"Erro ao tentar ler tabelas do banco de dados Origem: "
                                                         "Não é possível inserir linhas"});
    EXPECT_EQ(Items(Dialog().CBTabOri), QStringList{QStringLiteral("cidade")});
    EXPECT_EQ(Focused(), Dialog().CBTabOri);
}

TEST_F(TConnectionTest, ListOpeningAndFocusLeavingTheWindowAreNoExits) {
    TypeInto(Dialog().CBBcoOri, QStringLiteral("Inexistente"));
    Dialog().CBBcoOri->showPopup();
    QTest::qWait(50);
    Dialog().CBBcoOri->hidePopup();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
    EXPECT_EQ(Focused(), Dialog().CBBcoOri);
    EXPECT_TRUE(m_boxes.messages.empty());
    EXPECT_EQ(Dialog().DbOri.AliasName(), "");
}

class TCopyFromDialogTest : public TConnectionTest {
protected:
    // The destination connected and both table names given; the source alias
    // typed but its box not yet left.
    void PrepareCopy() {
        TypeInto(Dialog().CBBcoDes, QStringLiteral("Destino"));
        Press(Qt::Key_Tab);
        Dialog().CBTabDes->setEditText(QStringLiteral("pessoa"));
        Dialog().CBTabOri->setEditText(QStringLiteral("pessoa"));
        TypeInto(Dialog().CBBcoOri, QStringLiteral("Origem"));
    }

    std::vector<std::vector<std::string>> DestinationRows() {
        Dialog().FormClose();
        testsupport::TSqliteFile destination(m_dir / "destino.db");
        return destination.Query("SELECT id, nome FROM pessoa ORDER BY id");
    }
};

TEST_F(TCopyFromDialogTest, ClickOnTheButtonConnectsBeforeTheCopy) {
    PrepareCopy();
    QTest::mouseClick(Dialog().BtCopiar, Qt::LeftButton);
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{"Cópia de dados executada com sucesso."});
    EXPECT_EQ(DestinationRows(), (std::vector<std::vector<std::string>>{{"1", "Ana"}, {"2", "João"}}));
}

TEST_F(TCopyFromDialogTest, AltCCopiesOnThePreviousState) {
    PrepareCopy();
    Press(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(WaitFor([&] { return !m_boxes.messages.empty(); }));
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{"Dados para cópia estão incompletos."});
    EXPECT_FALSE(Dialog().DbOri.Connected());
    EXPECT_EQ(Focused(), Dialog().CBBcoOri);
    EXPECT_EQ(DestinationRows(), (std::vector<std::vector<std::string>>{{"7", "Antigo"}}));
}

TEST_F(TCopyFromDialogTest, ClickAfterAFailedConnectIsLost) {
    PrepareCopy();
    TypeInto(Dialog().CBBcoOri, QStringLiteral("Inexistente"));
    QTest::mouseClick(Dialog().BtCopiar, Qt::LeftButton);
    EXPECT_EQ(m_boxes.messages,
              std::vector<std::string>{std::string(kSourceConnect) + "Alias desconhecido: 'Inexistente'"});
    EXPECT_EQ(Focused(), Dialog().CBBcoOri);
    EXPECT_FALSE(Dialog().BtCopiar->isDown());
    QTest::qWait(50);
    // The next click is an ordinary one again; its connect fails the same way.
    QTest::mouseClick(Dialog().BtCopiar, Qt::LeftButton);
    EXPECT_EQ(m_boxes.messages.size(), 2u);
}

}  // namespace
