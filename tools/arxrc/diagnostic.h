// Where something stands in a resource script, and the error that names that place.
// Every failure of the resource compiler is an RcError reading "file:line: message".
#pragma once
#include <memory>
#include <stdexcept>
#include <string>

namespace arxrc {

struct Location {
    std::shared_ptr<const std::string> file;
    int line = 0;

    std::string text() const { return (file ? *file : std::string("<input>")) + ":" + std::to_string(line); }
};

class RcError : public std::runtime_error {
public:
    RcError(const Location& where, const std::string& message)
        : std::runtime_error(where.text() + ": " + message), mWhere(where), mMessage(message)
    {
    }
    const Location& where() const { return mWhere; }
    const std::string& message() const { return mMessage; }

private:
    Location mWhere;
    std::string mMessage;
};

}  // namespace arxrc
