#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dbaccess {

// A failure of the data-access layer; the message is the text the user sees.
class EDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure of the engine itself, with the engine's own error code.
class EDBEngineError : public EDatabaseError {
public:
    EDBEngineError(std::uint16_t errorCode, const std::string& message)
        : EDatabaseError(message), m_errorCode(errorCode) {}
    std::uint16_t ErrorCode() const { return m_errorCode; }

private:
    std::uint16_t m_errorCode;
};

// A text that does not convert to the number asked for.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces each "%s" of a message pattern, in order, with the arguments.
std::string Format(const char* pattern, std::initializer_list<std::string_view> args);

}  // namespace dbaccess
