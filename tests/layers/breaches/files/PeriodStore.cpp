// SQL in a store is at home.
#include "files/PeriodStore.h"

void Remove() {
    db.execute("DELETE FROM VIES WHERE VIN = ?", vin);
}
