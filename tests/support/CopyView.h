#pragma once

#include <string>
#include <vector>

#include "copy/CopyRun.h"
#include "dbaccess/Database.h"
#include "dbaccess/Table.h"

namespace testsupport {

// The dialog's side of the copy command without a window: both connections
// and tables, the two table texts, and a message box that records its texts.
class TCopyViewStub : public copy::TCopyView {
public:
    dbaccess::TDatabase DbOri{"DbOri", "BancoOri"};
    dbaccess::TDatabase DbDes{"DbDes", "BancoDes"};
    dbaccess::TTable TabOri{"TabOri", "BancoOri"};
    dbaccess::TTable TabDes{"TabDes", "BancoDes"};
    std::string CBTabOri;
    std::string CBTabDes;
    std::vector<std::string> messages;
    int focusMoves = 0;

    // Connects each side that is not connected yet to its alias, names both
    // tables and presses the button; returns the one message shown, or a
    // count when there were more or none.
    std::string Copy(const std::string& sourceAlias, const std::string& sourceTable,
                     const std::string& destinationAlias, const std::string& destinationTable) {
        for (auto [db, alias] : {std::pair{&DbOri, &sourceAlias}, std::pair{&DbDes, &destinationAlias}}) {
            if (db->Connected()) continue;
            db->SetAliasName(*alias);
            db->Open();
        }
        CBTabOri = sourceTable;
        CBTabDes = destinationTable;
        messages.clear();
        focusMoves = 0;
        copy::RunCopy(*this);
        return messages.size() == 1 ? messages[0] : "(" + std::to_string(messages.size()) + " messages)";
    }

    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back(); }

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void FocusCopyButton() override { ++focusMoves; }
    std::string TableText(copy::TSide side) override { return side == copy::sdOri ? CBTabOri : CBTabDes; }
    dbaccess::TDatabase& Database(copy::TSide side) override { return side == copy::sdOri ? DbOri : DbDes; }
    dbaccess::TTable& Table(copy::TSide side) override { return side == copy::sdOri ? TabOri : TabDes; }
};

}  // namespace testsupport
