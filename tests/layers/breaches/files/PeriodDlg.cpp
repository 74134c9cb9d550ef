// A dialog with SQL of its own and a Qt header: two breaches.
#include <QString>

#include "files/PeriodStore.h"

// select the rows of the period (a comment, not SQL)
auto s = db.query("SELECT PERIOD FROM DEKLAR ORDER BY PERIOD");
