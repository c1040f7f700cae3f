#pragma once

// The PostgreSQL driver's own texts; everything else it shows is the server's.
namespace dbaccess::postgresql::msg {

inline constexpr const char* kCommitRolledBack =
    "O servidor desfez a transação em vez de confirmá-la: nenhuma alteração foi gravada";

}  // namespace dbaccess::postgresql::msg
