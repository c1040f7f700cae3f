#pragma once

#include "support/CopyView.h"
#include "support/TestSupport.h"

// Two SQLite files behind the aliases ORI and DES, and MESMO naming ori.db again.
class TCopyHarness : public testsupport::TCopyViewStub {
public:
    testsupport::TTempDir dir;
    testsupport::TSqliteFile ori{dir / "ori.db"};
    testsupport::TSqliteFile des{dir / "des.db"};

    TCopyHarness() {
        testsupport::UseAliases(dir / "aliases.ini", "[ORI]\nTYPE=SQLITE\nPATH=" + (dir / "ori.db").string() +
                                                         "\n[DES]\nTYPE=SQLITE\nPATH=" + (dir / "des.db").string() +
                                                         "\n[MESMO]\nTYPE=SQLITE\nPATH=" + (dir / "ori.db").string() +
                                                         "\n");
    }

    // From ORI into the destination alias, DES unless named.
    void Copy(const std::string& sourceTable, const std::string& destinationTable,
              const std::string& destinationAlias = "DES") {
        TCopyViewStub::Copy("ORI", sourceTable, destinationAlias, destinationTable);
    }
};
