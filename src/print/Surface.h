#pragma once
// The drawing surface the printouts are drawn on, free of any toolkit.
//
// Units are twips (1/1440 inch). x grows to the right from the left edge of
// the printable area, y grows upwards from its top edge, so every position
// down the page is negative. The Qt front-end draws a surface on a printer or
// a PDF file; tests record what was drawn.

#include <string>
#include <string_view>

namespace print {

// The two faces of the forms. The surface maps them onto installed fonts
// with the same metrics.
enum class Face { CourierNewCyr, Tahoma };

// A font made by the forms' one rule: the face, a weight (100 thin ... 400
// normal ... 700 bold) and a size in points times a scale factor. Its height
// is the height of a line of text (ascent plus descent), points x 1200 / 72
// twips times the scale: a font of 6 points is 100 twips high.
struct Font {
    Face face = Face::CourierNewCyr;
    double points = 10;
    int weight = 400;
    double scale = 1;

    int height() const;
    bool operator==(const Font&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle; with y growing upwards, top >= bottom.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return top - bottom; }
    bool operator==(const Box&) const = default;
};

enum class Align { Left, Center, Right };

enum class Orientation { Portrait, Landscape };

class Surface {
  public:
    virtual ~Surface() = default;

    // Starts a page; false when the page cannot be started (the print job is
    // then abandoned).
    virtual bool beginPage() = 0;
    virtual void endPage() = 0;

    // The width of one line of text in the font, in twips.
    virtual int textWidth(std::string_view text, const Font& font) = 0;
    // One line of text (UTF-8): the top of its line at box.top, placed
    // between box.left and box.right by the alignment. Text wider than the
    // box is not cut: it spills out on both sides when centred, to the right
    // when left-aligned and to the left when right-aligned.
    virtual void text(const Box& box, std::string_view text, const Font& font, Align align) = 0;
    // A rule between two points.
    virtual void line(Point from, Point to) = 0;
    // The outline of a rectangle.
    virtual void frame(const Box& box) = 0;
};

}  // namespace print
