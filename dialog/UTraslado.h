#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "copy/CopyRun.h"
#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Table.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QScrollArea;
class TBoxes;

// The copy dialog: two halves, source and destination, each with a database
// and a table combo box, and the copy button between them.
class TF_Traslado : public QWidget, public copy::TCopyView {
    Q_OBJECT
public:
    // Builds the dialog, hidden, and then opens the alias list; fails with the
    // engine's start-up text when the alias configuration cannot be read.
    explicit TF_Traslado(TBoxes& boxes);
    ~TF_Traslado() override;

    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox4;
    QGroupBox* GroupBox5;
    QGroupBox* GroupBox6;
    QPushButton* BtCopiar;
    dbaccess::TBDEItems DbBancos;
    dbaccess::TDatabase DbOri;
    dbaccess::TDatabase DbDes;
    dbaccess::TTable TabOri;
    dbaccess::TTable TabDes;
    dbaccess::TDatabaseItems DbItemsOri;
    dbaccess::TDatabaseItems DbItemsDes;
    QComboBox* CBBcoOri;
    QComboBox* CBTabOri;
    QComboBox* CBBcoDes;
    QComboBox* CBTabDes;

    // Runs the copy command.
    void BtCopiarClick();
    // Fills both database lists with the alias names; runs once per run.
    void FormShow();
    // Lists the tables of the side's connected database.
    void CBTabOriEnter();
    void CBTabDesEnter();
    // Disconnects both sides and closes their table lists and tables.
    void FormClose();
    // Connects the side to the alias named by its database combo box.
    void CBBcoOriExit();
    void CBBcoDesExit();

    // Shows a failure that escaped a handler in the error box, captioned with
    // the application's name.
    void ShowError(const std::string& message);

    // copy::TCopyView
    void ShowMessage(const std::string& text) override;
    void FocusCopyButton() override;
    std::string TableText(copy::TSide side) override;
    dbaccess::TDatabase& Database(copy::TSide side) override;
    dbaccess::TTable& Table(copy::TSide side) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One half of the dialog: what the connection and listing steps touch.
    struct TSideParts {
        QComboBox* databaseBox;
        QComboBox* tableBox;
        dbaccess::TDatabase& connection;
        dbaccess::TDatabaseItems& tableList;
        const char* word;
    };
    TSideParts Side(copy::TSide side);
    void ConnectSide(copy::TSide side);
    void ListTables(copy::TSide side);

    void BuildControls();
    void FocusChanged(QWidget* old, QWidget* now);
    // Runs after every box: the owner may be left inactive, and a press that
    // opened a box must not turn into a click later.
    void BoxClosed();
    void FitFrame();
    std::optional<dbaccess::TLogin> Login(const dbaccess::TDatabase& connection, const std::string& userName);

    TBoxes& m_boxes;
    QScrollArea* m_scroller = nullptr;
    bool m_formShown = false;
    bool m_frameFitted = false;
    int m_boxesShown = 0;
    bool m_swallowPress = false;
};

// The one dialog of the program, while it exists.
extern TF_Traslado* F_Traslado;
