#include "CopyRun.h"

#include <exception>
#include <vector>

#include "Messages.h"
#include "TransferRules.h"

namespace copy {

using namespace dbaccess;

namespace {

// A source field with its counterpart and rule, worked out once per run since
// neither table's fields change while it copies.
struct TPairing {
    TField* source;
    TField* destination;
    TTransferRule rule;
};

std::vector<TPairing> PairFields(TTable& source, TTable& destination) {
    std::vector<TPairing> pairings;
    for (int i = 0; i < source.FieldCount(); ++i) {
        TField& field = source.Fields(i);
        TField* counterpart = FindCounterpart(field.FieldName(), destination);
        if (!counterpart) continue;
        TTransferRule rule = SelectTransferRule(counterpart->DataType(), field.DataType());
        // A pair without a rule writes nothing; leaving it out spares the per-row test.
        if (rule != trNone) pairings.push_back({&field, counterpart, rule});
    }
    return pairings;
}

bool OpenTables(TCopyView& view) {
    try {
        for (TSide side : {sdOri, sdDes}) {
            TTable& table = view.Table(side);
            table.Close();
            table.SetTableName(view.TableText(side));
            table.Open();
        }
        return true;
    } catch (const std::exception& error) {
        view.ShowMessage(std::string(msg::kOpenFailed) + error.what());
        view.FocusCopyButton();
        return false;
    }
}

bool HasCompatiblePair(TTable& source, TTable& destination) {
    source.First();
    bool found = false;
    for (int i = 0; i < source.FieldCount(); ++i) {
        TField& field = source.Fields(i);
        TField* counterpart = FindCounterpart(field.FieldName(), destination);
        if (!counterpart || field.IsNull()) continue;
        if (IsCompatiblePair(counterpart->DataType(), field.DataType())) found = true;
    }
    return found;
}

void CopyRows(TDatabase& destinationDb, TTable& source, TTable& destination) {
    destinationDb.StartTransaction();
    destination.EmptyTable();
    const std::vector<TPairing> pairings = PairFields(source, destination);
    while (!source.Eof()) {
        destination.Append();
        for (const TPairing& pairing : pairings) {
            if (!pairing.source->IsNull()) TransferValue(pairing.rule, *pairing.source, *pairing.destination);
        }
        destination.Post();
        source.Next();
    }
    destinationDb.Commit();
}

}  // namespace

void RunCopy(TCopyView& view) {
    if (!view.Database(sdOri).Connected() || !view.Database(sdDes).Connected() || view.TableText(sdOri).empty() ||
        view.TableText(sdDes).empty()) {
        view.ShowMessage(msg::kIncomplete);
        return;
    }
    if (!OpenTables(view)) return;

    TTable& source = view.Table(sdOri);
    TTable& destination = view.Table(sdDes);
    if (!HasCompatiblePair(source, destination)) {
        view.ShowMessage(msg::kNoCompatiblePair);
        return;
    }
    source.First();

    TDatabase& destinationDb = view.Database(sdDes);
    try {
        CopyRows(destinationDb, source, destination);
        view.ShowMessage(msg::kCopied);
    } catch (const std::exception& error) {
        view.ShowMessage(std::string(msg::kCopyFailed) + error.what());
        destinationDb.Rollback();
        view.FocusCopyButton();
    }
}

}  // namespace copy
