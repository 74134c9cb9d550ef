#pragma once
// A drawing surface that records what was drawn: texts with their boxes and
// fonts, rules, frames and page starts, for layout tests without a printer.
//
// Its metrics follow the fonts the program prints with: every character of
// Courier New (Liberation Mono) advances 1229/2048 of the em, and a font's
// height (ascent + descent) is 2320/2048 of it; Tahoma's digits advance
// 1118/2048 of the em at a height of 2472/2048, and here every character of
// Tahoma is as wide as a digit.

#include <cmath>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "print/Surface.h"

namespace testing_support {

struct DrawnText {
    int page;
    print::Box box;
    std::string text;
    print::Font font;
    print::Align align;
};

struct DrawnLine {
    int page;
    print::Point from, to;
};

struct DrawnFrame {
    int page;
    print::Box box;
};

class RecordingSurface : public print::Surface {
  public:
    // The page that cannot be started (1 for the first); 0: every page can.
    void failAtPage(int page) { failAt_ = page; }

    bool beginPage() override {
        if (open_) throw std::logic_error("a page was started inside a page");
        if (failAt_ == pages_ + 1) return false;
        ++pages_;
        open_ = true;
        return true;
    }
    void endPage() override {
        if (!open_) throw std::logic_error("a page was ended that was not started");
        open_ = false;
    }
    int textWidth(std::string_view text, const print::Font& font) override {
        const double perHeight =
            font.face == print::Face::CourierNewCyr ? 1229.0 / 2320.0 : 1118.0 / 2472.0;
        return static_cast<int>(
            std::lround(platform::Utf8Length(text) * font.height() * perHeight));
    }
    void text(const print::Box& box, std::string_view text, const print::Font& font,
              print::Align align) override {
        onPage();
        texts.push_back({pages_, box, std::string(text), font, align});
    }
    void line(print::Point from, print::Point to) override {
        onPage();
        lines.push_back({pages_, from, to});
    }
    void frame(const print::Box& box) override {
        onPage();
        frames.push_back({pages_, box});
    }

    int pages() const { return pages_; }
    bool pageOpen() const { return open_; }

    // Texts equal to the given one, in the order drawn.
    std::vector<DrawnText> find(std::string_view text) const {
        std::vector<DrawnText> found;
        for (const auto& t : texts)
            if (t.text == text) found.push_back(t);
        return found;
    }
    // Texts containing the given part.
    std::vector<DrawnText> containing(std::string_view part) const {
        std::vector<DrawnText> found;
        for (const auto& t : texts)
            if (t.text.find(part) != std::string::npos) found.push_back(t);
        return found;
    }
    std::vector<DrawnText> onPage(int page, std::vector<DrawnText> from) const {
        std::erase_if(from, [&](const DrawnText& t) { return t.page != page; });
        return from;
    }
    // All text drawn, joined with spaces, in the order drawn.
    std::string allText() const {
        std::string all;
        for (const auto& t : texts) all += t.text + " ";
        return all;
    }

    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<DrawnFrame> frames;

  private:
    void onPage() const {
        if (!open_) throw std::logic_error("drawing outside a page");
    }
    int pages_ = 0;
    int failAt_ = 0;
    bool open_ = false;
};

}  // namespace testing_support
