#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>

#include "DialogFixture.h"
#include "app/Application.h"
#include "app/FatalError.h"
#include "dialog/Boxes.h"

namespace {

using TShellTest = TDialogTest;

const QStringList kAliases = {QStringLiteral("Origem"), QStringLiteral("Destino"), QStringLiteral("Vazio")};

TEST_F(TShellTest, ShowFillsBothListsOnceAndLeavesTheTextsEmpty) {
    Build();
    // Nothing before the dialog is first shown.
    EXPECT_EQ(Dialog().CBBcoOri->count(), 0);
    ShowDialog();
    Dialog().showMinimized();
    QTest::qWait(20);
    Dialog().showNormal();
    Dialog().hide();
    Dialog().show();
    QTest::qWait(20);
    for (QComboBox* box : {Dialog().CBBcoOri, Dialog().CBBcoDes}) {
        EXPECT_EQ(Items(box), kAliases);
        EXPECT_EQ(box->currentText(), QString());
    }
    EXPECT_TRUE(m_boxes.errors.empty());
}

TEST_F(TShellTest, FailingShowGoesToTheErrorBoxAndKeepsWhatWasAppended) {
    Build();
    // A source list that takes one name makes FormShow fail at the second.
    Dialog().CBBcoOri->setMaxCount(1);
    ShowDialog();
    ASSERT_EQ(m_boxes.errors, std::vector<std::string>{"Não é possível inserir linhas."});
    EXPECT_EQ(m_boxes.errorCaptions, std::vector<std::string>{"dialog_tests"});
    EXPECT_EQ(Items(Dialog().CBBcoOri), QStringList{QStringLiteral("Origem")});
    // The rest of the handler was skipped, and the loop went on.
    EXPECT_EQ(Dialog().CBBcoDes->count(), 0);
    EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(TShellTest, CloseDisconnectsBothSidesAndClosesTheirLists) {
    Build();
    ShowDialog();
    TF_Traslado& dialog = Dialog();
    dialog.DbOri.SetAliasName("Origem");
    dialog.DbDes.SetAliasName("Destino");
    for (auto* side : {&dialog.DbOri, &dialog.DbDes}) side->Open();
    dialog.DbItemsOri.Open();
    dialog.DbItemsDes.Open();
    dialog.TabOri.SetTableName("pessoa");
    dialog.TabDes.SetTableName("pessoa");
    dialog.TabOri.Open();
    dialog.TabDes.Open();

    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.DbOri.Connected());
    EXPECT_FALSE(dialog.DbDes.Connected());
    EXPECT_FALSE(dialog.DbItemsOri.Active());
    EXPECT_FALSE(dialog.DbItemsDes.Active());
    EXPECT_FALSE(dialog.TabOri.Active());
    EXPECT_FALSE(dialog.TabDes.Active());
    EXPECT_TRUE(dialog.DbBancos.Active());
    EXPECT_TRUE(m_boxes.errors.empty());
}

TEST_F(TShellTest, CopyButtonRunsTheCopy) {
    Build();
    ShowDialog();
    TF_Traslado& dialog = Dialog();
    QTest::mouseClick(dialog.BtCopiar, Qt::LeftButton);
    EXPECT_EQ(m_boxes.messages, std::vector<std::string>{"Dados para cópia estão incompletos."});

    dialog.DbOri.SetAliasName("Origem");
    dialog.DbDes.SetAliasName("Destino");
    dialog.DbOri.Open();
    dialog.DbDes.Open();
    dialog.CBTabOri->setEditText(QStringLiteral("pessoa"));
    dialog.CBTabDes->setEditText(QStringLiteral("pessoa"));
    QTest::mouseClick(dialog.BtCopiar, Qt::LeftButton);
    ASSERT_EQ(m_boxes.messages.size(), 2u);
    EXPECT_EQ(m_boxes.messages[1], "Cópia de dados executada com sucesso.");
    dialog.FormClose();
    testsupport::TSqliteFile destination(m_dir / "destino.db");
    EXPECT_EQ(destination.Query("SELECT id, nome FROM pessoa ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "Ana"}, {"2", "João"}}));
}

struct TTextCase {
    const char* name;
    const char* input;
    const char* expected;
};

void PrintTo(const TTextCase& text, std::ostream* out) {
    *out << text.name;
}

auto CaseName = [](const auto& info) { return std::string(info.param.name); };

class TErrorBoxTextTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(TErrorBoxTextTest, AddsAFullStopAfterCharactersAboveIt) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(GetParam().input)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Boxes, TErrorBoxTextTest,
                         ::testing::Values(TTextCase{"LetterGetsOne", "Falhou", "Falhou."},
                                           TTextCase{"AccentedLetterGetsOne", "ação", "ação."},
                                           TTextCase{"SlashGetsOne", "c:/", "c:/."},
                                           TTextCase{"FullStopKeepsIt", "Fim.", "Fim."},
                                           TTextCase{"ClosingParenthesisGetsNone", "(erro $2102)", "(erro $2102)"},
                                           TTextCase{"HyphenGetsNone", "a -", "a -"},
                                           TTextCase{"EmptyStaysEmpty", "", ""}),
                         CaseName);

class TApplicationTitleTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(TApplicationTitleTest, NameBeforeTheFirstDotInLowerCase) {
    EXPECT_EQ(ApplicationTitle(QString::fromUtf8(GetParam().input)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shell, TApplicationTitleTest,
                         ::testing::Values(TTextCase{"WindowsPathWithTwoDots", "C:\\PROGS\\ABC.DEF.EXE", "Abc"},
                                           TTextCase{"UnixPathWithoutDot", "/usr/bin/traslado", "traslado"},
                                           TTextCase{"FirstCharacterKeepsItsCase", "/opt/TRASLADO", "Traslado"},
                                           TTextCase{"LastSeparatorOfEitherKind", "C:\\a.b/c\\XY.z", "Xy"},
                                           TTextCase{"DotInAFolderIsNotCut", "/opt/v1.2/Copia", "Copia"},
                                           TTextCase{"AccentedLetters", "/x/ÇÃO.exe", "Ção"},
                                           TTextCase{"LeadingDotLeavesNothing", "/x/.hidden", ""}),
                         CaseName);

TEST(FatalErrorText, NamesTheFailureItsModuleAndPlace) {
    const TThrowSite site{QStringLiteral("traslado"), 0xdb55};
    EXPECT_EQ(FatalErrorText(QStringLiteral("dbaccess::EDBEngineError"), site, QStringLiteral("Um erro (erro $2102)"))
                  .toStdString(),
              "Exception dbaccess::EDBEngineError in module traslado at 0000DB55.\n"
              "Um erro (erro $2102).");
    EXPECT_EQ(FatalErrorText(QStringLiteral("E"), site, QStringLiteral("Fim.")).toStdString(),
              "Exception E in module traslado at 0000DB55.\nFim.");
    EXPECT_EQ(FatalErrorText(QStringLiteral("E"), site, QString()).toStdString(),
              "Exception E in module traslado at 0000DB55.\n");
}

TEST(StandardBoxes, MessageBoxHasOneOkForEnterAndEscape) {
    QWidget owner;
    struct TKind {
        std::unique_ptr<QMessageBox> box;
        const char* caption;
        QMessageBox::Icon icon;
    };
    TKind kinds[] = {
        {MakeMessageBox(&owner, QStringLiteral("Texto")), "Informação", QMessageBox::Information},
        {MakeErrorBox(&owner, QStringLiteral("traslado"), QStringLiteral("Texto")), "traslado", QMessageBox::Critical},
    };
    for (TKind& kind : kinds) {
        SCOPED_TRACE(kind.caption);
        QMessageBox& box = *kind.box;
        EXPECT_EQ(box.windowTitle().toStdString(), kind.caption);
        EXPECT_EQ(box.icon(), kind.icon);
        EXPECT_EQ(box.text(), QStringLiteral("Texto"));
        ASSERT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.buttons().front()->text(), QStringLiteral("OK"));
        EXPECT_EQ(box.defaultButton(), box.buttons().front());
        EXPECT_EQ(box.escapeButton(), box.buttons().front());
    }
}

}  // namespace
