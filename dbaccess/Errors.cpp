#include "Errors.h"

#include <string_view>

namespace dbaccess {

std::string Format(const char* pattern, std::initializer_list<std::string_view> args) {
    std::string result;
    std::string_view rest(pattern);
    auto next = args.begin();
    for (std::size_t at; (at = rest.find("%s")) != std::string_view::npos;) {
        result.append(rest.substr(0, at));
        if (next != args.end()) result.append(*next++);
        rest.remove_prefix(at + 2);
    }
    result.append(rest);
    return result;
}

}  // namespace dbaccess
