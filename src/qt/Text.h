#pragma once
// Text between the models (UTF-8, Windows line ends "\r\n" kept byte for
// byte) and Qt.

#include <QString>
#include <string>

namespace qt {

inline QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQt(const QString& text) {
    return text.toStdString();
}
// What the screen shows: a Windows line end is one line break.
inline QString displayed(const std::string& text) {
    return toQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace qt
