#pragma once
// A failure the person must see: "show this message and abandon the action".
// The dialog that started the action shows the message in an error box and
// stays open as the action left it. A database error is one (db::Error);
// a condition of the domain, such as a return that is not there, is another.

#include <stdexcept>
#include <string>

namespace platform {

class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace platform
