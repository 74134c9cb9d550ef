#pragma once
// Which of the two journals: POKUPKI (purchases) or PRODAGBI (sales). Pure
// rules name a journal by it without the database.

namespace db {

enum class Journal { Purchases, Sales };

}  // namespace db
