#include "ui/TextViewer.h"

#include <exception>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "ui/Host.h"

namespace ui {
namespace {

constexpr int kWidth = 520, kHeight = 340;

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int more = 0;
        unsigned min = 0, code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            more = 1, min = 0x80, code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, min = 0x800, code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + more >= bytes.size()) return false;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

}  // namespace

std::string ViewedText(std::string_view bytes) {
    while (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
    return IsUtf8(bytes) ? std::string(bytes) : platform::DecodeCp1251(bytes);
}

TextViewer::TextViewer(Host& host, std::filesystem::path file)
    : Dialog(host, file.filename().string(), {kWidth, kHeight}),
      file_(std::move(file)),
      text_(
          addTextBox("text", "", {6, 6, kWidth - 12, kHeight - 30}).fixedPitch().anchored(kGrows)),
      close_(addButton("close", "Затвори", {kWidth - 66, kHeight - 20, 60, 14})
                 .makeDefault()
                 .anchored(kFollowsBottomRight)) {
    setResizable({260, 140});
}

void TextViewer::opened() {
    try {
        text_.setText(ViewedText(platform::ReadWholeFile(file_)));
    } catch (const std::exception&) {
        host().error("Файлът " + file_.string() + " не може да бъде прочетен.");
        close(Result::Cancel);
    }
}

void TextViewer::pressed(Button& button) {
    if (&button == &close_) close(Result::Ok);
}

}  // namespace ui
