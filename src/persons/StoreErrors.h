#pragma once
// A failing statement abandons the action the person started: the engine's
// message is shown in an error box and the dialog stays open.

#include <utility>

#include "db/Database.h"
#include "ui/Host.h"

namespace persons {

template <class Action>
void reportingStoreErrors(ui::Host& host, Action&& action) {
    try {
        std::forward<Action>(action)();
    } catch (const db::Error& e) {
        host.error(e.what());
    }
}

}  // namespace persons
