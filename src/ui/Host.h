#pragma once
// What a dialog asks of the world outside it: message boxes and questions.
// Every box is captioned "Зорева по ЗДДС"; questions show the buttons "Да",
// "Не" and "Отказ". The Qt front-end and the scripted test host implement it.

#include <string>

namespace ui {

inline constexpr const char* kAppCaption = "Зорева по ЗДДС";

enum class Icon { None, Error, Information, Warning };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Host {
public:
    virtual ~Host() = default;

    // A message box with the given icon and an OK button.
    virtual void message(const std::string& text, Icon icon) = 0;
    // A question box; returns the button pressed.
    virtual Answer ask(const std::string& text, Buttons buttons, Icon icon) = 0;

    void error(const std::string& text) { message(text, Icon::Error); }
    void information(const std::string& text) { message(text, Icon::Information); }
    void warning(const std::string& text) { message(text, Icon::Warning); }
};

}  // namespace ui
