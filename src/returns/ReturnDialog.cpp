#include "returns/ReturnDialog.h"

namespace returns {

ReturnDialog::ReturnDialog(ui::Host& host, std::string title, ui::Size size, db::Database& db,
                           ReturnScope scope, std::function<void()> printRequest)
    : Dialog(host, std::move(title), size),
      db_(db),
      scope_(std::move(scope)),
      printRequest_(std::move(printRequest)) {}

}  // namespace returns
