// Reaches up into the returns: a breach.
#include "db/Rows.h"
#include "returns/CDDSPeriod.h"
