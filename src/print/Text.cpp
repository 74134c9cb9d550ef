#include "print/Text.h"

#include <cmath>

#include "platform/Money.h"

namespace print {

int Font::height() const {
    return static_cast<int>(std::lround(points * 1200.0 / 72.0 * scale));
}

namespace {

std::string ExpandTabs(std::string_view text) {
    std::string expanded;
    expanded.reserve(text.size());
    for (char c : text) {
        if (c == '\t')
            expanded += "    ";
        else if (c != '\r')
            expanded += c;
    }
    return expanded;
}

// Breaks one paragraph (no line ends in it) into lines.
void WrapParagraph(Surface& surface, std::string_view paragraph, const Font& font, int width,
                   std::vector<std::string>& lines) {
    while (!paragraph.empty()) {
        if (surface.textWidth(paragraph, font) <= width) {
            lines.emplace_back(paragraph);
            return;
        }
        // The longest prefix ending before a space that fits; else the first word.
        std::size_t fit = std::string_view::npos;
        for (std::size_t space = paragraph.find(' ', 1); space != std::string_view::npos;
             space = paragraph.find(' ', space + 1)) {
            if (surface.textWidth(paragraph.substr(0, space), font) > width) break;
            fit = space;
        }
        if (fit == std::string_view::npos) fit = paragraph.find(' ', 1);
        if (fit == std::string_view::npos) {
            lines.emplace_back(paragraph);
            return;
        }
        std::size_t end = fit;
        while (end > 0 && paragraph[end - 1] == ' ') --end;
        lines.emplace_back(paragraph.substr(0, end));
        const std::size_t next = paragraph.find_first_not_of(' ', fit);
        paragraph = next == std::string_view::npos ? std::string_view() : paragraph.substr(next);
    }
}

}  // namespace

std::vector<std::string> WrapText(Surface& surface, std::string_view text, const Font& font,
                                  int width) {
    const std::string expanded = ExpandTabs(text);
    std::vector<std::string> lines;
    std::string_view rest = expanded;
    while (true) {
        const std::size_t end = rest.find('\n');
        const std::string_view paragraph = rest.substr(0, end);
        if (paragraph.empty())
            lines.emplace_back();
        else
            WrapParagraph(surface, paragraph, font, width, lines);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return lines;
}

int WrappedHeight(Surface& surface, std::string_view text, const Font& font, int width) {
    return static_cast<int>(WrapText(surface, text, font, width).size()) * font.height();
}

int DrawWrapped(Surface& surface, const Box& box, std::string_view text, const Font& font,
                Align align) {
    const int lineHeight = font.height();
    int top = box.top;
    for (const std::string& line : WrapText(surface, text, font, box.width())) {
        if (!line.empty())
            surface.text({box.left, top, box.right, top - lineHeight}, line, font, align);
        top -= lineHeight;
    }
    return box.top - top;
}

void DrawCentredLine(Surface& surface, const Box& box, std::string_view text, const Font& font,
                     Align align) {
    const int lineHeight = font.height();
    const int top = box.top - (box.height() - lineHeight) / 2;
    surface.text({box.left, top, box.right, top - lineHeight}, text, font, align);
}

Stotinki StoredStotinki(double leva) {
    return platform::money::FromStoredLeva(leva);
}

std::string MoneyText(Stotinki amount) {
    return platform::money::ToScreenText(amount);
}

std::string MonthOfPeriod(std::string_view period) {
    if (period.size() != 6) return std::string(period);
    return std::string(period.substr(4, 2)) + "/" + std::string(period.substr(0, 4));
}

}  // namespace print
