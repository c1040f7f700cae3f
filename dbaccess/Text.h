#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dbaccess {

// Whole-string comparison without regard to case, Unicode-aware: AÇÃO equals ação.
bool SameText(std::string_view a, std::string_view b);
// A key for SameText: two names are SameText exactly when their keys are equal.
std::string CaseKey(std::string_view text);

// Number of Unicode characters in UTF-8 text.
std::size_t CharCount(std::string_view text);
// The text cut at its first NUL and then to at most `maxChars` characters.
std::string_view CutText(std::string_view text, std::size_t maxChars);

// An SQL identifier in double quotes, its own quotes doubled: a name is data, never SQL.
std::string QuoteIdentifier(std::string_view name);

}  // namespace dbaccess
