#include "session/Session.h"

namespace session {

Session::Session(db::Database& db, const platform::Clock& clock, std::filesystem::path dataFolder,
                 std::filesystem::path outputFolder)
    : db_(db),
      clock_(clock),
      dataFolder_(std::move(dataFolder)),
      outputFolder_(std::move(outputFolder)) {
    reload();
}

bool Session::reload() {
    auto current = db::CurrentPerson(db_);
    if (!current) {
        person_.bulstat.clear();
        return false;
    }
    person_ = std::move(*current);
    return true;
}

}  // namespace session
