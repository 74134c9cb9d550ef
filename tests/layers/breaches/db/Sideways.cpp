// The database layer knows the dialog layer: a breach. Its SQL is at home.
#include "platform/Text.h"
#include "ui/Dialog.h"

const char* kSql = "SELECT * FROM EDANNI WHERE LAST = 1";
