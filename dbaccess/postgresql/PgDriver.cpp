#include "PgDriver.h"

#include <libpq-fe.h>

#include "PgConnection.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"

namespace dbaccess::postgresql {

namespace {

// What the text forms that the driver reads and writes assume of the session.
constexpr const char* kSessionOptions =
    "-c DateStyle=ISO,YMD -c TimeZone=UTC -c IntervalStyle=postgres -c extra_float_digits=1 "
    "-c bytea_output=hex -c synchronize_seqscans=off";

void IgnoreNotice(void*, const char*) {}

class TPgDriver : public TDriver {
public:
    std::unique_ptr<TDriverConnection> Connect(const TAlias& alias, const std::optional<TLogin>& login) override {
        auto database = alias.Value("DATABASE NAME");
        if (!database || database->empty()) {
            throw EDatabaseError(Format(dbaccess::msg::kAliasNoEntry, {alias.name, "DATABASE NAME"}));
        }
        auto server = alias.Value("SERVER NAME");
        auto port = alias.Value("PORT");

        std::vector<const char*> keywords;
        std::vector<const char*> values;
        // The values must outlive the connect: they point into the alias, the login or literals.
        auto add = [&](const char* keyword, const std::string* value) {
            if (!value || value->empty()) return;
            keywords.push_back(keyword);
            values.push_back(value->c_str());
        };
        static const std::string kEncoding = "UTF8", kOptions = kSessionOptions, kApplication = "Traslado";
        add("host", server ? &*server : nullptr);
        add("port", port ? &*port : nullptr);
        add("dbname", &*database);
        if (login) {
            add("user", &login->userName);
            // An empty password leaves the password file and PGPASSWORD to libpq.
            add("password", &login->password);
        }
        add("client_encoding", &kEncoding);
        add("options", &kOptions);
        add("application_name", &kApplication);
        keywords.push_back(nullptr);
        values.push_back(nullptr);

        // expand_dbname off: a database name is a name, never a connection string.
        TConn conn(PQconnectdbParams(keywords.data(), values.data(), 0));
        if (!conn || PQstatus(conn.get()) != CONNECTION_OK) throw EDatabaseError(ConnectionText(conn.get()));
        PQsetNoticeProcessor(conn.get(), IgnoreNotice, nullptr);
        return std::make_unique<TPgConnection>(std::make_shared<TPgSession>(std::move(conn)));
    }
};

}  // namespace

std::unique_ptr<TDriver> MakePostgresDriver() {
    return std::make_unique<TPgDriver>();
}

}  // namespace dbaccess::postgresql
