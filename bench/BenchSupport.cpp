#include "BenchSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "copy/CopyRun.h"
#include "dbaccess/Database.h"
#include "dbaccess/Table.h"

namespace bench {

namespace {

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The dialog's side of the copy, with a message box that keeps the last text.
class TBenchView : public copy::TCopyView {
public:
    dbaccess::TDatabase DbOri{"DbOri", "BancoOri"};
    dbaccess::TDatabase DbDes{"DbDes", "BancoDes"};
    dbaccess::TTable TabOri{"TabOri", "BancoOri"};
    dbaccess::TTable TabDes{"TabDes", "BancoDes"};
    std::string lastMessage;

    void ShowMessage(const std::string& text) override { lastMessage = text; }
    void FocusCopyButton() override {}
    std::string TableText(copy::TSide side) override { return side == copy::sdOri ? "src" : "dst"; }
    dbaccess::TDatabase& Database(copy::TSide side) override { return side == copy::sdOri ? DbOri : DbDes; }
    dbaccess::TTable& Table(copy::TSide side) override { return side == copy::sdOri ? TabOri : TabDes; }
};

}  // namespace

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double SecondsSince(double start) {
    return Now() - start;
}

void TimeCopy(const std::string& sourceAlias, const std::string& destinationAlias, const std::string& password,
              TTiming& timing) {
    TBenchView view;
    auto login = [&password](dbaccess::TDatabase&, const std::string& userName) {
        return std::optional<dbaccess::TLogin>(dbaccess::TLogin{userName, password});
    };
    for (auto* db : {&view.DbOri, &view.DbDes}) db->SetOnLogin(login);
    view.DbOri.SetAliasName(sourceAlias);
    view.DbOri.Open();
    view.DbDes.SetAliasName(destinationAlias);
    view.DbDes.Open();
    ResetPeakResident();
    double start = Now();
    copy::RunCopy(view);
    timing.seconds = std::min(timing.seconds, SecondsSince(start));
    timing.peakKb = std::max(timing.peakKb, PeakResidentKb());
    if (view.lastMessage != "Cópia de dados executada com sucesso.") {
        throw std::runtime_error("the copy failed: " + view.lastMessage);
    }
}

void PrintResult(const std::string& name, long rows, const TTiming& ours, double referenceSeconds,
                 const std::string& reference) {
    double oursRate = rows / ours.seconds;
    double referenceRate = rows / referenceSeconds;
    std::printf("%s ours:      %.3f s, %.0f rows/s\n", name.c_str(), ours.seconds, oursRate);
    std::printf("%s reference: %.3f s, %.0f rows/s (%s)\n", name.c_str(), referenceSeconds, referenceRate,
                reference.c_str());
    std::printf("%s rows=%ld ours_rows_s=%.0f reference_rows_s=%.0f ratio=%.3f peak_rss_mb=%.1f\n", name.c_str(), rows,
                oursRate, referenceRate, oursRate / referenceRate, ours.peakKb / 1024.0);
    std::fflush(stdout);
}

}  // namespace bench
