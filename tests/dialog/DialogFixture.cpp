#include "DialogFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

using testsupport::TSqliteFile;

namespace {

const char* kTables =
    "CREATE TABLE pessoa (id INTEGER PRIMARY KEY, nome VARCHAR(40), salario DOUBLE);"
    "CREATE TABLE cidade (codigo INTEGER, nome VARCHAR(30));";

}  // namespace

void TDialogTest::SetUp() {
    {
        TSqliteFile source(m_dir / "origem.db");
        source.Exec(kTables);
        source.Exec(
            "INSERT INTO pessoa VALUES (1, 'Ana', 1500.5), (2, 'João', 2000);"
            "INSERT INTO cidade VALUES (10, 'Recife');");
        TSqliteFile destination(m_dir / "destino.db");
        destination.Exec(kTables);
        destination.Exec("INSERT INTO pessoa VALUES (7, 'Antigo', 1);");
        TSqliteFile empty(m_dir / "vazio.db");
        empty.Exec("PRAGMA user_version = 1;");
    }
    const std::string dir = m_dir.Path().string();
    testsupport::UseAliases(m_dir / "aliases.ini", "[Origem]\nTYPE=SQLITE\nPATH=" + dir +
                                                       "/origem.db\n"
                                                       "[Destino]\nTYPE=SQLITE\nPATH=" +
                                                       dir +
                                                       "/destino.db\n"
                                                       "[Vazio]\nTYPE=SQLITE\nPATH=" +
                                                       dir + "/vazio.db\n" + ExtraAliases());
}

void TDialogTest::TearDown() {
    m_dialog.reset();
}

void TDialogTest::Build() {
    m_dialog = std::make_unique<TF_Traslado>(m_boxes);
}

void TDialogTest::ShowDialog() {
    m_dialog->show();
    m_dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
}

void TDialogTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(Focused(), key, modifiers);
}

void TDialogTest::TypeInto(QComboBox* box, const QString& text) {
    box->setFocus(Qt::OtherFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, text);
}

QWidget* TDialogTest::Focused() const {
    return QApplication::focusWidget();
}

QStringList TDialogTest::Items(const QComboBox* box) const {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

bool TDialogTest::WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 1000) return false;
        QTest::qWait(10);
    }
    return true;
}
