#pragma once
// Between the models and Qt: text (UTF-8 in the models, Windows line ends
// "\r\n" kept byte for byte) and alignment.

#include <QString>
#include <string>

#include "ui/Controls.h"

namespace qt {

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}
// What the screen shows: a Windows line end is one line break.
inline QString Displayed(const std::string& text) {
    return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline Qt::Alignment Alignment(ui::Align align) {
    switch (align) {
        case ui::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ui::Align::Center:
            return Qt::AlignCenter;
        case ui::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace qt
