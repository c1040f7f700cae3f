#pragma once

#include <string>
#include <vector>

#include "copy/CopyRun.h"
#include "dbaccess/Database.h"
#include "dbaccess/Table.h"
#include "support/TestSupport.h"

// The dialog's side of the copy command without a window: both connections
// and tables, the two table texts, and a message box that records what it shows.
class TCopyHarness : public copy::TCopyView {
public:
    testsupport::TTempDir dir;
    testsupport::TSqliteFile ori{dir / "ori.db"};
    testsupport::TSqliteFile des{dir / "des.db"};
    dbaccess::TDatabase DbOri{"DbOri", "BancoOri"};
    dbaccess::TDatabase DbDes{"DbDes", "BancoDes"};
    dbaccess::TTable TabOri{"TabOri", "BancoOri"};
    dbaccess::TTable TabDes{"TabDes", "BancoDes"};
    std::string CBTabOri;
    std::string CBTabDes;
    std::vector<std::string> messages;
    int focusMoves = 0;

    // Aliases ORI and DES name the two files; MESMO names ori.db again.
    TCopyHarness() {
        testsupport::UseAliases(dir / "aliases.ini", "[ORI]\nTYPE=SQLITE\nPATH=" + (dir / "ori.db").string() +
                                                         "\n[DES]\nTYPE=SQLITE\nPATH=" + (dir / "des.db").string() +
                                                         "\n[MESMO]\nTYPE=SQLITE\nPATH=" + (dir / "ori.db").string() +
                                                         "\n");
    }

    // Connects both sides, names both tables and presses the button.
    void Copy(const std::string& sourceTable, const std::string& destinationTable,
              const std::string& destinationAlias = "DES") {
        if (!DbOri.Connected()) {
            DbOri.SetAliasName("ORI");
            DbOri.Open();
        }
        if (!DbDes.Connected()) {
            DbDes.SetAliasName(destinationAlias);
            DbDes.Open();
        }
        CBTabOri = sourceTable;
        CBTabDes = destinationTable;
        messages.clear();
        focusMoves = 0;
        copy::RunCopy(*this);
    }

    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back(); }

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void FocusCopyButton() override { ++focusMoves; }
    std::string TableText(copy::TSide side) override { return side == copy::sdOri ? CBTabOri : CBTabDes; }
    dbaccess::TDatabase& Database(copy::TSide side) override { return side == copy::sdOri ? DbOri : DbDes; }
    dbaccess::TTable& Table(copy::TSide side) override { return side == copy::sdOri ? TabOri : TabDes; }
};
