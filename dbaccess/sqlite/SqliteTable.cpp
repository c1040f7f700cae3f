#include "SqliteTable.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "SqliteTypes.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"
#include "dbaccess/Text.h"

namespace dbaccess::sqlite {

namespace {

std::string_view ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return {text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

std::string_view ColumnBlob(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return {bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

// The stored value as a 64-bit integer where it is exactly one.
std::optional<std::int64_t> ExactInteger(sqlite3_stmt* statement, int column, int storage) {
    switch (storage) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(statement, column);
        case SQLITE_FLOAT: {
            double value = sqlite3_column_double(statement, column);
            if (std::trunc(value) != value || std::fabs(value) >= 9.2e18) return std::nullopt;
            return static_cast<std::int64_t>(value);
        }
        case SQLITE_TEXT: {
            auto text = ColumnText(statement, column);
            std::int64_t value = 0;
            const char* begin = text.data();
            if (!text.empty() && text[0] == '+') ++begin;
            auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
            if (ec != std::errc() || end != text.data() + text.size() || begin == end) return std::nullopt;
            return value;
        }
        default:
            return std::nullopt;
    }
}

std::optional<double> ExactDouble(sqlite3_stmt* statement, int column, int storage) {
    switch (storage) {
        case SQLITE_FLOAT:
            return sqlite3_column_double(statement, column);
        case SQLITE_INTEGER: {
            auto value = sqlite3_column_int64(statement, column);
            if (value > (std::int64_t{1} << 53) || value < -(std::int64_t{1} << 53)) return std::nullopt;
            return static_cast<double>(value);
        }
        case SQLITE_TEXT: {
            auto text = ColumnText(statement, column);
            double value = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
            return value;
        }
        default:
            return std::nullopt;
    }
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

TSqliteTable::TSqliteTable(std::shared_ptr<TSqliteHandle> handle, const std::string& tableName, bool exclusive)
    : m_handle(std::move(handle)) {
    m_name = ResolveName(tableName);
    if (exclusive)
        m_lock = TExclusiveLock::Acquire("sqlite\n" + m_handle->CanonicalPath() + "\n" + CaseKey(m_name), m_name);
    ReadColumns();
    m_dateTexts.resize(m_defs.size());
    for (const auto& def : m_defs) {
        m_textColumns.push_back(IsStringType(def.type) || def.type == ftMemo || def.type == ftFmtMemo ||
                                def.type == ftOraClob);
    }
    First();
}

std::string TSqliteTable::ResolveName(const std::string& tableName) {
    auto statement = m_handle->Prepare(
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    std::string caseMatch;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        std::string name(ColumnText(statement.get(), 0));
        if (name == tableName) return name;
        if (caseMatch.empty() && SameText(name, tableName)) caseMatch = name;
    }
    check(m_handle->Db(), rc, {});
    if (caseMatch.empty()) throw EDatabaseError(Format(msg::kTableNotFound, {tableName}));
    return caseMatch;
}

void TSqliteTable::ReadColumns() {
    auto schema = m_handle->Prepare("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    sqlite3_bind_text(schema.get(), 1, m_name.data(), static_cast<int>(m_name.size()), SQLITE_STATIC);
    std::string createSql;
    if (sqlite3_step(schema.get()) == SQLITE_ROW) createSql = Upper(ColumnText(schema.get(), 0));
    bool autoIncrement = createSql.find("AUTOINCREMENT") != std::string::npos;

    auto info = m_handle->Prepare(
        "SELECT name, type, \"notnull\", dflt_value IS NOT NULL, pk, hidden FROM pragma_table_xinfo(?1)");
    sqlite3_bind_text(info.get(), 1, m_name.data(), static_cast<int>(m_name.size()), SQLITE_STATIC);
    struct TKey {
        int position;
        std::string name;
    };
    std::vector<TKey> keys;
    std::vector<int> keyColumns;
    int rc;
    while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
        int hidden = sqlite3_column_int(info.get(), 5);
        if (hidden == 1) continue;  // a virtual table's hidden column is not a field
        TFieldDef def;
        def.name = std::string(ColumnText(info.get(), 0));
        std::string declared(ColumnText(info.get(), 1));
        auto mapped = MapDeclaredType(declared);
        def.type = mapped.type;
        def.size = mapped.size;
        bool notNull = sqlite3_column_int(info.get(), 2) != 0;
        bool hasDefault = sqlite3_column_int(info.get(), 3) != 0;
        int pk = sqlite3_column_int(info.get(), 4);
        def.readOnly = hidden == 2 || hidden == 3;  // generated columns
        def.required = notNull && !hasDefault && !def.readOnly;
        if (pk > 0) {
            keys.push_back({pk, def.name});
            keyColumns.push_back(static_cast<int>(m_defs.size()));
        }
        m_defs.push_back(std::move(def));
        m_declaredTypes.push_back(Upper(declared));
    }
    check(m_handle->Db(), rc, {});
    if (m_defs.empty()) throw EDatabaseError(Format(msg::kTableNotFound, {m_name}));

    // An INTEGER PRIMARY KEY is the rowid: SQLite fills it when it is not written.
    if (keyColumns.size() == 1 && m_declaredTypes[static_cast<std::size_t>(keyColumns[0])] == "INTEGER") {
        TFieldDef& key = m_defs[static_cast<std::size_t>(keyColumns[0])];
        key.required = false;
        if (autoIncrement) key.type = ftAutoInc;
    }

    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < m_defs.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += QuoteIdentifier(m_defs[i].name);
    }
    sql += " FROM " + QuoteIdentifier(m_name);
    if (!keys.empty()) {
        std::sort(keys.begin(), keys.end(), [](const TKey& a, const TKey& b) { return a.position < b.position; });
        sql += " ORDER BY ";
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i > 0) sql += ", ";
            sql += QuoteIdentifier(keys[i].name);
        }
    }
    m_select = m_handle->Prepare(sql);
}

void TSqliteTable::First() {
    sqlite3_reset(m_select.get());
    Step();
}

void TSqliteTable::Next() {
    if (!m_eof) Step();
}

void TSqliteTable::Step() {
    int rc = sqlite3_step(m_select.get());
    if (rc == SQLITE_ROW) {
        m_eof = false;
        return;
    }
    m_eof = true;
    // A finished read holds no lock on the file.
    sqlite3_reset(m_select.get());
    check(m_handle->Db(), rc, {});
}

void TSqliteTable::StopReading() {
    sqlite3_reset(m_select.get());
    m_eof = true;
}

bool TSqliteTable::IsNull(int column) {
    return m_eof || sqlite3_column_type(m_select.get(), column) == SQLITE_NULL;
}

void TSqliteTable::BadValue(int column) const {
    throw EDatabaseError(Format(msg::kFieldBadValue, {m_defs[static_cast<std::size_t>(column)].name}));
}

void TSqliteTable::Read(int column, TVariant& out) {
    sqlite3_stmt* statement = m_select.get();
    const TFieldDef& def = m_defs[static_cast<std::size_t>(column)];
    if (m_eof) {
        out = TNull{};
        return;
    }
    if (m_textColumns[static_cast<std::size_t>(column)]) {
        // SQLite gives no text pointer for a null, which spares asking for the storage class.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (!text) {
            out = TNull{};
        } else {
            AssignText(out, {text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))});
        }
        return;
    }
    int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL) {
        out = TNull{};
        return;
    }
    switch (def.type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc: {
            auto value = ExactInteger(statement, column, storage);
            if (!value || !IntegerRange(def.type)->Contains(*value)) BadValue(column);
            out = static_cast<std::int32_t>(*value);
            return;
        }
        case ftLargeint: {
            auto value = ExactInteger(statement, column, storage);
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftFloat:
        case ftCurrency: {
            auto value = ExactDouble(statement, column, storage);
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftBCD: {
            std::optional<TBcd> value;
            if (storage == SQLITE_INTEGER) {
                auto integer = sqlite3_column_int64(statement, column);
                if (integer > std::numeric_limits<std::int64_t>::max() / kBcdScale ||
                    integer < std::numeric_limits<std::int64_t>::min() / kBcdScale) {
                    throw EDatabaseError(Format(msg::kFieldOutOfRange, {def.name}));
                }
                value = TBcd{integer * kBcdScale};
            } else if (storage == SQLITE_FLOAT) {
                value = BcdFromDouble(sqlite3_column_double(statement, column));
                if (!value) throw EDatabaseError(Format(msg::kFieldOutOfRange, {def.name}));
            } else if (storage == SQLITE_TEXT) {
                auto text = ColumnText(statement, column);
                value = ParseBcd(text);
                if (!value) {
                    double number = 0;
                    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
                    bool numeric = end == text.data() + text.size() && ec != std::errc::invalid_argument;
                    throw EDatabaseError(Format(numeric ? msg::kFieldOutOfRange : msg::kFieldBadValue, {def.name}));
                }
            } else {
                BadValue(column);
            }
            out = *value;
            return;
        }
        case ftBoolean: {
            if (storage == SQLITE_TEXT) {
                auto text = Upper(ColumnText(statement, column));
                if (text == "TRUE" || text == "FALSE") {
                    out = text == "TRUE";
                    return;
                }
            }
            auto value = ExactInteger(statement, column, storage);
            if (!value || (*value != 0 && *value != 1)) BadValue(column);
            out = *value == 1;
            return;
        }
        case ftDate:
        case ftTime:
        case ftDateTime: {
            if (storage != SQLITE_TEXT) BadValue(column);
            auto text = ColumnText(statement, column);
            auto value = def.type == ftDate   ? ParseDate(text)
                         : def.type == ftTime ? ParseTime(text)
                                              : ParseDateTime(text);
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftVariant:
            switch (storage) {
                case SQLITE_INTEGER:
                    out = std::int64_t{sqlite3_column_int64(statement, column)};
                    return;
                case SQLITE_FLOAT:
                    out = sqlite3_column_double(statement, column);
                    return;
                case SQLITE_TEXT:
                    AssignText(out, ColumnText(statement, column));
                    return;
                default:
                    AssignBytes(out, ColumnBlob(statement, column));
                    return;
            }
        default:
            AssignBytes(out, ColumnBlob(statement, column));
            return;
    }
}

void TSqliteTable::Empty() {
    StopReading();
    m_handle->Execute("DELETE FROM " + QuoteIdentifier(m_name));
}

sqlite3_stmt* TSqliteTable::InsertFor(const std::vector<char>& assigned) {
    if (m_lastInsert && m_lastInsert->assigned == assigned) return m_lastInsert->statement.get();
    for (auto& insert : m_inserts) {
        if (insert.assigned == assigned) {
            m_lastInsert = &insert;
            return insert.statement.get();
        }
    }
    std::string columns;
    std::string values;
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        if (!assigned[i]) continue;
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += QuoteIdentifier(m_defs[i].name);
        values += "?";
    }
    std::string sql = "INSERT INTO " + QuoteIdentifier(m_name) +
                      (columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + values + ")");
    m_inserts.push_back({assigned, m_handle->Prepare(sql)});
    m_lastInsert = &m_inserts.back();
    return m_lastInsert->statement.get();
}

void TSqliteTable::Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) {
    if (!m_eof) StopReading();
    sqlite3_stmt* statement = InsertFor(assigned);
    int parameter = 0;
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        if (!assigned[i]) continue;
        ++parameter;
        const TFieldDef& def = m_defs[i];
        int rc = std::visit(
            [&](const auto& value) -> int {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, TNull>) {
                    return sqlite3_bind_null(statement, parameter);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    return sqlite3_bind_text64(statement, parameter, value.data(), value.size(), SQLITE_STATIC,
                                               SQLITE_UTF8);
                } else if constexpr (std::is_same_v<T, TBytes>) {
                    if (value.data.empty()) return sqlite3_bind_zeroblob(statement, parameter, 0);
                    return sqlite3_bind_blob64(statement, parameter, value.data.data(), value.data.size(),
                                               SQLITE_STATIC);
                } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>) {
                    return sqlite3_bind_int64(statement, parameter, value);
                } else if constexpr (std::is_same_v<T, bool>) {
                    return sqlite3_bind_int(statement, parameter, value ? 1 : 0);
                } else if constexpr (std::is_same_v<T, double>) {
                    // SQLite would store a NaN as NULL: refuse rather than lose it.
                    if (std::isnan(value)) throw EDatabaseError(Format(msg::kFieldBadValue, {def.name}));
                    return sqlite3_bind_double(statement, parameter, value);
                } else if constexpr (std::is_same_v<T, TBcd>) {
                    // SQLite keeps a decimal as an integer or a double, whatever the column says;
                    // a value neither holds exactly would be stored rounded, so it is refused.
                    if (value.units % kBcdScale == 0) {
                        return sqlite3_bind_int64(statement, parameter, value.units / kBcdScale);
                    }
                    double number = BcdToDouble(value);
                    auto back = BcdFromDouble(number);
                    if (!back || !(*back == value)) throw EDatabaseError(Format(msg::kFieldOutOfRange, {def.name}));
                    return sqlite3_bind_double(statement, parameter, number);
                } else {
                    // The column's own buffer outlives the step, so SQLite need not copy it.
                    char* text = m_dateTexts[i].data();
                    std::size_t length = def.type == ftDate   ? WriteDate(value, text)
                                         : def.type == ftTime ? WriteTime(value, text)
                                                              : WriteDateTime(value, text);
                    return sqlite3_bind_text(statement, parameter, text, static_cast<int>(length), SQLITE_STATIC);
                }
            },
            row[i]);
        check(m_handle->Db(), rc, {});
    }
    int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    check(m_handle->Db(), rc, {});
}

}  // namespace dbaccess::sqlite
