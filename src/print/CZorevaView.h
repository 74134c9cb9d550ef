#pragma once
// The view that prints: it draws the printout a dialog asked for (a journal,
// the VAT return or the VIES return of a period) on a drawing surface. The
// front-end chooses the printer and the page orientation, then lets the view
// draw.

#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"
#include "print/Surface.h"
#include "ui/Host.h"

namespace print {

// Landscape for the journals, portrait for the returns.
Orientation OrientationOf(ui::PrintKind printout);

// A name for the print job and the proposed PDF file, e.g.
// "Дневник за покупките 05-2024".
std::string JobName(ui::PrintKind printout, const std::string& period);

class CZorevaView {
  public:
    // `person` is the session's registered person or branch: its VAT number
    // and branch select the data.
    CZorevaView(db::Database& db, const platform::Clock& clock, db::PersonRow person);

    // Draws the printout of the period; false when it was abandoned because a
    // page could not be started.
    bool print(ui::PrintKind printout, const std::string& period, Surface& surface);

  private:
    db::Database& db_;
    const platform::Clock& clock_;
    db::PersonRow person_;
};

}  // namespace print
