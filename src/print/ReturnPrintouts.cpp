#include "print/ReturnPrintouts.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "print/FormWording.h"
#include "print/Text.h"

namespace print {
namespace {

// ---- the page frame of both forms ----

constexpr int kRuleLeft = 690, kRuleRight = 10717;
constexpr int kTextLeft = 720, kSecondColumn = 5678, kCellsRight = 11150;
constexpr int kValueRight = 10637;  // VIES summary values and page numbers end here
constexpr int kTitleCentre = 3199, kTitleHalfWidth = 2800;
constexpr int kContinuationTop = -380;
constexpr int kLineGap = 60;    // between lines of the header blocks
constexpr int kBlockGap = 120;  // before and after a rule

Font Courier(double points, int weight) {
    return Font{Face::CourierNewCyr, points, weight, 1};
}

bool Before(const std::string& period, const char* switchPeriod) {
    return period < switchPeriod;
}

// The pages of a form, with a cursor y that runs down them. A form that
// numbers its pages breaks to a new page when a block would end below the
// page bottom; a new page continues at y = -380.
class FormPages {
  public:
    FormPages(Surface& surface, bool numbered) : surface_(surface), numbered_(numbered) {}

    Surface& surface() { return surface_; }
    int y = 0;

    bool begin() {
        if (!surface_.beginPage()) return false;
        ++page_;
        return true;
    }
    // Makes room for a block of the height: starts a new page when it would
    // end below the page bottom (a block taller than a page starts at the top
    // of one and runs over).
    bool room(int height) {
        if (!numbered_ || y - height >= kFormPageBottom || y == kContinuationTop) return true;
        end();
        if (!begin()) return false;
        y = kContinuationTop;
        return true;
    }
    void end() {
        if (numbered_) {
            const Font font = Courier(8, 400);
            const int top = kFormPageBottom;
            surface_.text({kValueRight - 1500, top, kValueRight, top - font.height()},
                          "Стр." + std::to_string(page_), font, Align::Right);
        }
        surface_.endPage();
    }

  private:
    Surface& surface_;
    bool numbered_;
    int page_ = 0;
};

void Text(FormPages& f, int left, int top, std::string_view text, const Font& font,
          Align align = Align::Left, int right = kRuleRight) {
    f.surface().text({left, top, right, top - font.height()}, text, font, align);
}

// A line of text at the cursor, which then moves below it.
void Line(FormPages& f, std::string_view text, const Font& font, int left = kTextLeft) {
    Text(f, left, f.y, text, font);
    f.y -= font.height() + kLineGap;
}

// Wrapped text between left and right at the cursor.
void Paragraph(FormPages& f, std::string_view text, const Font& font, int left = kTextLeft,
               int right = kCellsRight) {
    f.y -= DrawWrapped(f.surface(), {left, f.y, right, f.y}, text, font, Align::Left);
    f.y -= kLineGap;
}

void Rule(FormPages& f) {
    f.y -= kBlockGap / 2;
    f.surface().line({kRuleLeft, f.y}, {kRuleRight, f.y});
    f.y -= kBlockGap;
}

void Centred(FormPages& f, std::string_view text, const Font& font) {
    Text(f, kRuleLeft, f.y, text, font, Align::Center, kRuleRight);
    f.y -= font.height() + kLineGap;
}

// The title, the boxes of the tax office and the tax period, then block А.
void Header(FormPages& f, std::string_view title, const Font& titleFont, const Font& headerFont,
            const db::PersonRow& person, const std::string& period, bool withBulstat) {
    Surface& s = f.surface();
    const Font small = Courier(8, 100);
    DrawWrapped(s, {kTitleCentre - kTitleHalfWidth, -700, kTitleCentre + kTitleHalfWidth, -700},
                title, titleFont, Align::Center);

    // "ТД/офис" with its box.
    Text(f, kSecondColumn, -820, "ТД/офис", headerFont);
    const int officeBox = kSecondColumn + s.textWidth("ТД/офис", headerFont) + 100;
    s.frame({officeBox, -780, kRuleRight, -780 - headerFont.height() - 80});

    // "Входящ № ______ / ______ г."
    int x = kSecondColumn;
    const int incomingTop = -1260, underline = incomingTop - headerFont.height();
    auto word = [&](std::string_view text) {
        Text(f, x, incomingTop, text, headerFont);
        x += s.textWidth(text, headerFont) + 60;
    };
    auto blank = [&](int width) {
        s.line({x, underline}, {x + width, underline});
        x += width + 60;
    };
    word("Входящ №");
    blank(1600);
    word("/");
    blank(1400);
    word("г.");
    Text(f, kSecondColumn, underline - 80, "Попълва се от приходната администрация", small);

    // "Данъчен период:" with the period in a box and its pattern below.
    const int periodTop = -1420;
    Text(f, kTextLeft, periodTop, "Данъчен период:", headerFont);
    const int boxLeft = kTextLeft + s.textWidth("Данъчен период:", headerFont) + 120;
    const std::string month = MonthOfPeriod(period);
    const int boxRight = boxLeft + s.textWidth("00/0000", headerFont) + 160;
    s.frame({boxLeft, periodTop + 40, boxRight, periodTop - headerFont.height() - 40});
    Text(f, boxLeft, periodTop, month, headerFont, Align::Center, boxRight);
    Text(f, boxLeft, periodTop - headerFont.height() - 60, "мм/гггг", small, Align::Center,
         boxRight);

    f.y = -1900;
    Rule(f);
    Centred(f, "А.Данни за регистрираното лице", headerFont);
    Text(f, kTextLeft, f.y, "Идентификационен номер по ЗДДС: " + person.vin, headerFont);
    if (withBulstat)
        Text(f, kSecondColumn, f.y, "Идентификационен номер: " + person.bulstat, headerFont);
    f.y -= headerFont.height() + kLineGap;
    Paragraph(f, "Име/наименование: " + person.name, headerFont, kTextLeft, kRuleRight);
    Paragraph(f, "Адрес за кореспондениция: " + person.adress, headerFont, kTextLeft, kRuleRight);
    Rule(f);
}

// A stored amount as the forms print it: its stotinki, "%.2f" (the
// coefficient of cell 33 prints the same way).
std::string MoneyOf(double leva) {
    return MoneyText(StoredStotinki(leva));
}

// ---- VAT return ----

const Font kVatHeader = Courier(11, 600);
const Font kVatBody = Courier(8, 100);

// The cell labels that do not depend on the period, by cell number.
std::string FixedCellLabel(const std::string& cell) {
    static const std::pair<const char*, const char*> kLabels[] = {
        {"01", "Общ размер на данъчните основи за облагане с ДДС (сума от кл.11 до кл.16)"},
        {"20", "Всичко начислен ДДС \r\n (Сума от кл.21 до кл.24)"},
        {"11",
         "ДО, подлежаща на облагане със ставка 20%:\r\n-ДО на обл.доставки, вкл. доставките "
         "при условия на дист.продажби с място на изпълнение на т-рията на страната"},
        {"21", "Начислен ДДС"},
        {"13", "ДО на облагаемите доставки със ставка 7/9%"},
        {"24", "Начислен ДДС (7/9%)"},
        {"14", "ДО, подлежаща на облагане със ставка 0%:\r\n-ДО на доставки по глава III от ЗДДС"},
        {"15", "-ДО на ВОД на стоки"},
        {"17",
         "-ДО на доставки на услуги по чл.21, ал.2 с място на изпълнение т-рията на друга "
         "държава членка"},
        {"41", "ДДС с право на пълен данъчен кредит"},
        {"32", "- с право на частичен данъчен кредит"},
        {"42", "ДДС с право на частичен данъчен кредит"},
        {"43", "Годишна корекция по чл.73, ал.8 (+/-)"},
        {"33", "Коефициент по чл.73, ал.5 ЗДДС"},
        {"40", "Общо данъчен кредит\r\n    (кл41+кл42хкл.33+кл.43)"},
        {"50", "ДДС за внасяне \r\n (кл.20 - кл.40) >=0"},
        {"60", "ДДС за възстановяване \r\n (кл.20 - кл.40) <0"},
        {"70", "Данък за внасяне от кл.50, приспаднат по реда на чл.92, ал.1 ЗДДС"},
        {"71", "Данък за внасяне от кл.50, внесен ефективно"},
        {"80", "Съгласно чл.92, ал.1 ЗДДС в 30-дневен срок от подаването на тази декларация"},
        {"81", "Съгласно чл.92, ал.3 ЗДДС в 30-дневен срок от подаването на тази декларация"},
        {"82", "Съгласно чл.92, ал.4 ЗДДС в 30-дневен срок от подаването на тази декларация"},
    };
    for (const auto& [number, label] : kLabels)
        if (cell == number) return label;
    return {};
}

struct VatCell {
    const char* number;
    double db::ReturnRow::*value;
};

struct VatLine {
    std::optional<VatCell> left, right;
};

struct VatSection {
    const char* title;
    std::vector<VatLine> lines;
};

const std::vector<VatSection>& VatSections() {
    using R = db::ReturnRow;
    static const std::vector<VatSection> kSections = {
        {"Раздел А: Данни за начислен данък върху добавената стойност",
         {{VatCell{"01", &R::ds01}, VatCell{"20", &R::ds20}},
          {VatCell{"11", &R::ds11}, VatCell{"21", &R::ds21}},
          {VatCell{"12", &R::ds12}, VatCell{"22", &R::ds22}},
          {std::nullopt, VatCell{"23", &R::ds23}},
          {VatCell{"13", &R::ds13}, VatCell{"24", &R::ds24}},
          {VatCell{"14", &R::ds14}, std::nullopt},
          {VatCell{"15", &R::ds15}, std::nullopt},
          {VatCell{"16", &R::ds16}, std::nullopt},
          {VatCell{"17", &R::ds17}, std::nullopt},
          {VatCell{"18", &R::ds18}, std::nullopt},
          {VatCell{"19", &R::ds19}, std::nullopt}}},
        {"Раздел Б: Данни за упражнено право на данъчен кредит",
         {{VatCell{"30", &R::db30}, std::nullopt},
          {VatCell{"31", &R::db31}, VatCell{"41", &R::db41}},
          {VatCell{"32", &R::db32}, VatCell{"42", &R::db42}},
          {std::nullopt, VatCell{"43", &R::db43}},
          {VatCell{"33", &R::dr33}, VatCell{"40", &R::dr40}}}},
        {"Раздел В: Резултат за периода", {{VatCell{"50", &R::dr50}, VatCell{"60", &R::dr60}}}},
        {"Раздел Г:ДДС за внасяне", {{VatCell{"70", &R::dr70}, VatCell{"71", &R::dr71}}}},
        {"Раздел Д:ДДС, подлежащ на възстановяване",
         {{VatCell{"80", &R::dr80}, std::nullopt},
          {VatCell{"81", &R::dr81}, std::nullopt},
          {VatCell{"82", &R::dr82}, std::nullopt}}},
    };
    return kSections;
}

// A cell's value box: "%.2f NN " right-aligned, the cell number in a small
// frame at its right end.
class VatCells {
  public:
    explicit VatCells(Surface& surface)
        : surface_(surface),
          boxWidth_(surface.textWidth("999999999999.99 01 ", kVatBody) + 80),
          numberFrame_(surface.textWidth("01", kVatBody) * 7 / 4),
          boxHeight_(kVatBody.height() + 80) {}

    int boxWidth() const { return boxWidth_; }
    int boxHeight() const { return boxHeight_; }

    void draw(int right, int top, const std::string& number, double value) {
        const Box box{right - boxWidth_, top, right, top - boxHeight_};
        surface_.frame(box);
        const int trailing = surface_.textWidth(" ", kVatBody);
        const int numberRight = right - trailing;
        const int numberLeft = numberRight - surface_.textWidth(number, kVatBody);
        const int middle = (numberLeft + numberRight) / 2;
        surface_.frame(
            {middle - numberFrame_ / 2, top - 20, middle + numberFrame_ / 2, box.bottom + 20});
        const int textTop = top - 40;
        surface_.text({box.left, textTop, right, textTop - kVatBody.height()},
                      MoneyOf(value) + " " + number + " ", kVatBody, Align::Right);
    }

  private:
    Surface& surface_;
    int boxWidth_, numberFrame_, boxHeight_;
};

void VatLineOf(FormPages& f, VatCells& cells, const VatLine& line, const db::ReturnRow& row,
               const std::string& period) {
    Surface& s = f.surface();
    const int gap = 80;
    const int leftBoxRight = kSecondColumn - gap;
    const int rightBoxLeft = kCellsRight - cells.boxWidth();
    int height = cells.boxHeight();
    auto labelHeight = [&](const std::optional<VatCell>& cell, int left, int right) {
        return cell ? WrappedHeight(s, VatCellLabel(cell->number, period), kVatBody, right - left)
                    : 0;
    };
    const int leftLabelRight = leftBoxRight - cells.boxWidth() - gap;
    const int rightLabelRight = rightBoxLeft - gap;
    height = std::max({height, labelHeight(line.left, kTextLeft, leftLabelRight),
                       labelHeight(line.right, kSecondColumn, rightLabelRight)});
    const int top = f.y;
    auto place = [&](const std::optional<VatCell>& cell, int labelLeft, int labelRight,
                     int boxRight) {
        if (!cell) return;
        const std::string label = VatCellLabel(cell->number, period);
        const int labelTop =
            top - (height - WrappedHeight(s, label, kVatBody, labelRight - labelLeft)) / 2;
        DrawWrapped(s, {labelLeft, labelTop, labelRight, labelTop - height}, label, kVatBody,
                    Align::Left);
        const int boxTop = top - (height - cells.boxHeight()) / 2;
        cells.draw(boxRight, boxTop, cell->number, row.*(cell->value));
    };
    place(line.left, kTextLeft, leftLabelRight, leftBoxRight);
    place(line.right, kSecondColumn, rightLabelRight, kCellsRight);
    f.y -= height + 70;
}

std::string DateText(const platform::LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", t.day, t.month, t.year);
    return text;
}

void VatDeclaration(FormPages& f, const VatReturnForm& form) {
    Surface& s = f.surface();
    const Font& font = kVatBody;
    Paragraph(f, "Долуподписаният, " + form.signatory.name + " декларирам, че:", font);
    for (const char* statement :
         {"представлявам лицето, посочено в кл.А, и посочената в този формуляр информация е "
          "вярна и точна.",
          "са налице обстоятелства по чл.92, ал.3 и 4 ЗДДС."}) {
        const int box = 150;
        s.frame({kTextLeft, f.y, kTextLeft + box, f.y - box});
        Paragraph(f, statement, font, kTextLeft + box + 100);
    }
    Paragraph(f, "Известно ми е, че за неверни данни нося отговорност по чл.313 НК", font);
    Paragraph(f,
              "Дата на съставяне: " + DateText(form.today) + "           Длъжност: " +
                  form.signatory.post + "         Подпис и печат: ..............",
              font);
    Paragraph(f,
              "Забележка. Този формуляр се попълва задължително на машина. " +
                  CurrencyWordingFor(form.period).valuesNote,
              font);
    for (const std::string& note : VatReturnFootnotes(form.period)) {
        f.y -= 50;
        Paragraph(f, note, font);
    }
}

// ---- VIES return ----

const Font kViesBody = Courier(11, 400);
const Font kViesHeading = Courier(8, 100);

// A table of the VIES form: its column edges from x = 690 to x = 10717, the
// first column from 720 to 1080.
struct ViesTable {
    std::vector<int> edges;  // left edge of each column, then the right edge of the last
    std::vector<Align> aligns;
    int rowHeight = kViesBody.height() + 100;
};

ViesTable MakeViesTable(int columns, std::vector<Align> aligns) {
    ViesTable t;
    t.edges = {kTextLeft, 1080};
    const int rest = kRuleRight - 1080;
    for (int i = 1; i < columns; ++i) t.edges.push_back(1080 + rest * i / (columns - 1));
    t.aligns = std::move(aligns);
    return t;
}

// Draws the rows of a table with its repeated row of column numbers, page by
// page; `headings` draws the first page's headings at the cursor.
class ViesTablePrinter {
  public:
    ViesTablePrinter(FormPages& f, ViesTable table) : f_(f), t_(std::move(table)) {}

    // The first page's headings draw their own column rules (a heading may
    // span columns); the table's rules start at the row of column numbers.
    bool begin(const std::function<void()>& headings) {
        if (!f_.room(headingsHeight_ + 2 * t_.rowHeight)) return false;
        top_ = f_.y;
        f_.surface().line({kRuleLeft, top_}, {kRuleRight, top_});
        headings();
        rulesTop_ = f_.y;
        return numbersRow();
    }
    // A row that would end below the page bottom goes to a new page, where
    // the table goes on under its row of column numbers.
    bool row(const std::vector<std::string>& cells) {
        if (f_.y - t_.rowHeight < kFormPageBottom) {
            pageRules();
            if (!f_.room(t_.rowHeight)) return false;
            top_ = rulesTop_ = f_.y;
            f_.surface().line({kRuleLeft, top_}, {kRuleRight, top_});
            numbersRow();
        }
        cellsRow(cells, t_.aligns, kViesBody);
        return true;
    }
    // Closes the table on its page: the outer frame and the column rules.
    void end() {
        pageRules();
        f_.y -= kBlockGap;
    }
    void setHeadingsHeight(int h) { headingsHeight_ = h; }
    const ViesTable& table() const { return t_; }

  private:
    bool numbersRow() {
        std::vector<std::string> numbers;
        for (std::size_t i = 0; i + 1 < t_.edges.size(); ++i)
            numbers.push_back("к" + std::to_string(i + 1));
        cellsRow(numbers, std::vector<Align>(numbers.size(), Align::Center), kViesHeading);
        return true;
    }
    void cellsRow(const std::vector<std::string>& cells, const std::vector<Align>& aligns,
                  const Font& font) {
        Surface& s = f_.surface();
        const int h = t_.rowHeight;
        for (std::size_t i = 0; i < cells.size() && i + 1 < t_.edges.size(); ++i) {
            if (cells[i].empty()) continue;
            DrawCentredLine(s, {t_.edges[i] + 40, f_.y, t_.edges[i + 1] - 40, f_.y - h}, cells[i],
                            font, aligns[i]);
        }
        f_.y -= h;
        s.line({kRuleLeft, f_.y}, {kRuleRight, f_.y});
    }
    // The frame and column rules of the part of the table on this page; a
    // page break draws them before the next page starts.
    void pageRules() {
        Surface& s = f_.surface();
        s.frame({kRuleLeft, top_, kRuleRight, f_.y});
        for (std::size_t i = 1; i + 1 < t_.edges.size(); ++i)
            s.line({t_.edges[i], rulesTop_}, {t_.edges[i], f_.y});
    }

    FormPages& f_;
    ViesTable t_;
    int top_ = 0, rulesTop_ = 0;
    int headingsHeight_ = 0;
};

}  // namespace

// ---- the VAT return's texts ----

std::string VatCellLabel(const std::string& cell, const std::string& period) {
    const std::string al = Before(period, "202004") ? "ал.2-5" : "ал.2-6";
    const bool from201602 = !Before(period, "201602");
    if (cell == "12") return "-ДО на ВОП и ДО на получени доставки по чл.82, " + al + " ЗДДС";
    // The form's own wording, "ЗДДСС" included.
    if (cell == "22")
        return "Начислен ДДС за ВОП и за получени доставки по чл.82, " + al + " ЗДДСС";
    if (cell == "23")
        return from201602 ? "Начислен данък за доставки на стоки и услуги за лични нужди****"
                          : "Начислен данък (20%) в други случаи, предвидени в ЗДДС";
    if (cell == "16") {
        if (period.substr(0, 4) < "2014")
            return "-ДО на доставки по чл.140, 146 и чл.173, ал.1 и 4 ЗДДС";
        return std::string("-ДО на доставки по чл.140, 146 и чл.173 ЗДДС") +
               (from201602 ? "*" : "");
    }
    if (cell == "18")
        return std::string(
                   "-ДО на доставки по чл.69, ал.2 ЗДДС, вкл.доставките при условия на дист. "
                   "продажби смясто на изпълнение т-рията на друга държава членка, както и на "
                   "доставки като посредник в тристранна операция") +
               (from201602 ? "**" : "");
    if (cell == "19")
        return std::string("-ДО на освободените доставки и освободените ВОП") +
               (from201602 ? "***" : "");
    if (cell == "30")
        return "ДО и данък на получените доставки, ВОП, получените доставки по чл.82, " + al +
               " ЗДДС и вноса без право на данъчен кредит или без данък";
    if (cell == "31")
        return "ДО и данък на получените доставки, ВОП, получените доставки по чл.82, " + al +
               " ЗДДС и вноса, както и ДО на получените доставки, използвани за извършване на "
               "доставки по чл.69, ал.2 ЗДДС:\r\n- с право на пълен данъчен кредит";
    return FixedCellLabel(cell);
}

std::vector<std::string> VatReturnFootnotes(const std::string& period) {
    if (Before(period, "201602")) return {};
    return {
        "*В клетка 16 се декларират доставки, за които се прилага нулева ставка на данъка: по "
        "чл.140, чл.146, ал.1 и чл.173 ЗДДС.",
        "**В клетка 18 се декларират доставките с място на изпълнение извън територията на "
        "страната.",
        "*** В клетка 19 не се декларират доставките на финансови услуги.",
        "****В клетка 23 се декларира дължимият данък за използваните през данъчния период стоки "
        "и услуги за лични нужди.",
    };
}

bool PrintVatReturn(Surface& surface, const VatReturnForm& form) {
    FormPages f(surface, false);
    if (!f.begin()) return false;
    Header(f, "СПРАВКА-ДЕКЛАРАЦИЯ\r\nЗА ДАНЪК ВЪРХУ ДОБАВЕНАТА СТОЙНОСТ", Courier(10, 600),
           kVatHeader, form.person, form.period, true);
    VatCells cells(surface);
    for (const VatSection& section : VatSections()) {
        Line(f, section.title, kVatHeader);
        for (const VatLine& line : section.lines)
            VatLineOf(f, cells, line, form.cells, form.period);
    }
    Rule(f);
    VatDeclaration(f, form);
    f.end();
    return true;
}

namespace {

std::string WholeOf(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

// PERIOD1 as the form shows it: a space when it is the return's own month.
std::string MonthShown(const std::string& period1, const std::string& period) {
    return period1.empty() || period1 == MonthOfPeriod(period) ? " " : period1;
}

// A block of text measured first: on a new page when it would end below the
// page bottom.
bool Block(FormPages& f, std::string_view text, const Font& font) {
    const int height = WrappedHeight(f.surface(), text, font, kRuleRight - kTextLeft) + kLineGap;
    if (!f.room(height)) return false;
    Paragraph(f, text, font, kTextLeft, kRuleRight);
    return true;
}

void SummaryLine(FormPages& f, std::string_view label, const std::string& value) {
    const int labelRight = kValueRight - 3000;
    const int height = WrappedHeight(f.surface(), label, kViesBody, labelRight - kTextLeft);
    DrawWrapped(f.surface(), {kTextLeft, f.y, labelRight, f.y - height}, label, kViesBody,
                Align::Left);
    const int valueTop = f.y - height + kViesBody.height();
    Text(f, labelRight, valueTop, value, kViesBody, Align::Right, kValueRight);
    f.y -= height + kLineGap;
}

void FilerBlock(FormPages& f, const ViesReturnForm& form) {
    const db::PersonRow& p = form.person;
    Centred(f, "Б.Данни за лицето, подаващо декларацията", kViesBody);
    Line(f, "Име: " + p.face, kViesBody);
    Line(f, "ЕГН: " + p.faceEgn, kViesBody);
    Line(f, "Адрес за кореспондениция", kViesBody);
    Line(f, "Адрес(кв.,ж.к.,ул.№: " + p.faceAdr1, kViesBody);
    Text(f, kTextLeft, f.y, "Населено място(гр./с.): " + p.faceGrad, kViesBody);
    Text(f, kSecondColumn + 1500, f.y, "Пощенски код: " + p.facePk, kViesBody);
    f.y -= kViesBody.height() + kLineGap;
    Line(f,
         std::string("В качеството на  ") +
             (form.filerIsAuthorised ? "пълномощник" : "предстваляващ"),
         kViesBody);
    Rule(f);
}

bool SuppliesSection(FormPages& f, const ViesReturnForm& form) {
    const CurrencyWording& wording = CurrencyWordingFor(form.period);
    Paragraph(f,
              "В.Извършени вътрешнообщностни доставки на стоки, доставки на стоки като посредник "
              "в тристранна операция и доставки на услуги по чл.21, ал.2 ЗДДС с място на "
              "изпълнение на територията на друга държава членка",
              kViesBody, kTextLeft, kTextLeft + 9917);
    Stotinki goods = 0, services = 0, triangular = 0;
    for (const auto& v : form.supplies) {
        goods += StoredStotinki(v.ss15);
        services += StoredStotinki(v.ss17);
        triangular += StoredStotinki(v.ss25);
    }
    SummaryLine(f, wording.viesTotalLabel, MoneyText(goods + services + triangular));
    SummaryLine(f, "Данъчна основа на ВОД\r\n(сума на колона к3)", MoneyText(goods));
    SummaryLine(f, "Общ брой на редовете в раздел 'В' на декларацията",
                std::to_string(form.supplies.size()));

    ViesTablePrinter table(f, MakeViesTable(6, {Align::Right, Align::Left, Align::Right,
                                                Align::Right, Align::Right, Align::Center}));
    const auto& e = table.table().edges;
    const int headingRow = 3 * kViesHeading.height() + 120;
    const int headingsHeight = 3 * headingRow;
    table.setHeadingsHeight(headingsHeight);
    Surface& s = f.surface();
    auto headings = [&] {
        const int top = f.y, bottom = top - headingsHeight;
        auto heading = [&](int left, int right, int cellTop, int cellBottom,
                           std::string_view text) {
            const int h = WrappedHeight(s, text, kViesHeading, right - left - 80);
            const int y = cellTop - (cellTop - cellBottom - h) / 2;
            DrawWrapped(s, {left + 40, y, right - 40, y - h}, text, kViesHeading, Align::Center);
        };
        heading(e[0], e[1], top, bottom, "№ на ред");
        heading(e[1], e[2], top, bottom, "ИН по ДДС на получателя/придобиващия (вкл.знака)");
        const int split = top - headingRow;
        heading(e[2], e[5], top, split, wording.viesBaseHeading);
        s.line({e[2], split}, {e[5], split});
        heading(e[2], e[3], split, bottom, "вътреобшностни доставки на стоки");
        heading(e[3], e[4], split, bottom,
                "доставки на стоки като посредник в тристранна операция");
        heading(e[4], e[5], split, bottom,
                "доставка на услуги по чл.21,ал.2 ЗДДС, с място на изпълнение на територията на "
                "друга държава членка");
        heading(e[5], e[6], top, bottom,
                "Данъчен период, през който данъкът е станал изискуем*\r\n(мм/гггг)");
        for (int i : {1, 2, 5}) s.line({e[i], top}, {e[i], bottom});
        for (int i : {3, 4}) s.line({e[i], split}, {e[i], bottom});
        f.y = bottom;
        s.line({kRuleLeft, f.y}, {kRuleRight, f.y});
    };
    if (!table.begin(headings)) return false;
    int number = 0;
    for (const auto& v : form.supplies)
        if (!table.row({std::to_string(++number), v.knum, MoneyOf(v.ss15), MoneyOf(v.ss25),
                        MoneyOf(v.ss17), MonthShown(v.period1, form.period)}))
            return false;
    table.end();
    return Block(f,
                 "В колона к.6 се вписва данъчния период, през който данъкът е станал изискуем, в "
                 "случаите, когато този период е различен от данъчния период, за който се отнася "
                 "тази декларация",
                 kViesHeading);
}

bool CallOffStockSection(FormPages& f, const ViesReturnForm& form) {
    Surface& s = f.surface();
    const std::string title =
        "Г. Прехвърляне на стоки от територията на страната до територията на друга държава "
        "членка под режим складиране на стоки до поискване";
    const int titleHeight = WrappedHeight(s, title, kViesBody, kRuleRight - kTextLeft);
    if (!f.room(titleHeight + 2 * kViesBody.height() + 4 * kViesHeading.height())) return false;
    Rule(f);
    Paragraph(f, title, kViesBody, kTextLeft, kRuleRight);
    SummaryLine(f, "Общ брой на редовете в раздел 'Г' на декларацията",
                std::to_string(form.callOffStock.size()));
    ViesTablePrinter table(f, MakeViesTable(5, {Align::Right, Align::Left, Align::Center,
                                                Align::Left, Align::Center}));
    const auto& e = table.table().edges;
    static const char* const kHeadings[] = {
        "№ на ред", "ИН по ДДС на лицето, за което стоките са предназначени (вкл. знака)",
        "Код на операцията по режим складиране на стоки до поискване*",
        "ИН по ДДС на лицето, за което стоките са били предназначени при заместване по чл. 15а, "
        "ал. 4 от ЗДДС (вкл. знака)",
        "Данъчен период, през който е извършена операцията по режим складиране на стоки до "
        "поискване (мм/гггг)**"};
    int headingsHeight = 0;
    for (int i = 0; i < 5; ++i)
        headingsHeight = std::max(
            headingsHeight, WrappedHeight(s, kHeadings[i], kViesHeading, e[i + 1] - e[i] - 80));
    headingsHeight += 120;
    table.setHeadingsHeight(headingsHeight);
    auto headings = [&] {
        const int top = f.y;
        for (int i = 0; i < 5; ++i) {
            const int h = WrappedHeight(s, kHeadings[i], kViesHeading, e[i + 1] - e[i] - 80);
            const int y = top - (headingsHeight - h) / 2;
            DrawWrapped(s, {e[i] + 40, y, e[i + 1] - 40, y - h}, kHeadings[i], kViesHeading,
                        Align::Center);
        }
        f.y = top - headingsHeight;
        for (int i = 1; i < 5; ++i) s.line({e[i], top}, {e[i], f.y});
        s.line({kRuleLeft, f.y}, {kRuleRight, f.y});
    };
    if (!table.begin(headings)) return false;
    int number = 0;
    for (const auto& v : form.callOffStock)
        if (!table.row({std::to_string(++number), v.knum, WholeOf(v.ss15), v.knumz,
                        MonthShown(v.period1, form.period)}))
            return false;
    table.end();
    const std::string notes =
        "\t\t* В колона к. 3 се посочва код на операцията 1, 2 или 3 със следното значение:\r\n"
        "\t\t 1 - изпращане или транспортиране на стоки;\r\n"
        "\t 2 - връщане по чл. 15а, ал. 5 от ЗДДС;\r\n"
        "\t 3 - замяна по чл. 15а, ал. 4 от ЗДДС на лицето, за което стоките са предназначени.\r\n"
        "\t ** В колона к. 5 се вписва данъчният период на изпращането или транспортирането на "
        "стоките.";
    return Block(f, notes, kViesHeading);
}

}  // namespace

bool PrintViesReturn(Surface& surface, const ViesReturnForm& form) {
    FormPages f(surface, true);
    if (!f.begin()) return false;
    Header(f, "VIES-ДЕКЛАРАЦИЯ", Courier(24, 600), kViesBody, form.person, form.period, false);
    FilerBlock(f, form);
    if (!SuppliesSection(f, form)) return false;
    if (!form.callOffStock.empty() && !CallOffStockSection(f, form)) return false;
    const std::string declaration =
        "Долуподписаният, __________________________________________________________ декларирам, "
        "че представлявам лицето, посочено в кл.А, и посочената в този формуляр информация е "
        "вярна и точна.\r\n\r\nИзвестно ми е, че за неверни данни нося отговорност по чл.313 "
        "НК\r\n\r\nЗабележка. Този формуляр се попълва задължително на машина. " +
        CurrencyWordingFor(form.period).valuesNote;
    if (!Block(f, declaration, kViesHeading)) return false;
    f.end();
    return true;
}

// ---- from the database ----

VatReturnForm ReadVatReturnForm(db::Database& db, const db::PersonRow& person,
                                const PrintScope& scope, const platform::Clock& clock) {
    return {person, StoredReturn(db, scope), ReturnSignatory(db, scope), scope.period, clock.now()};
}

ViesReturnForm ReadViesReturnForm(db::Database& db, const db::PersonRow& person,
                                  const PrintScope& scope) {
    return {person, person.flPredst == "A", scope.period, ViesSection(db, scope, 1),
            ViesSection(db, scope, 2)};
}

}  // namespace print
