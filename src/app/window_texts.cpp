#include "app/window_texts.h"

#include <cstring>

namespace zeb::app {

namespace {

WindowText Menu(int code, int top, int item) {
    return {code, nullptr, top, item};
}

WindowText Part(TextId text, const char* component) {
    return {text, component, 0, 0};
}

} // namespace

const std::vector<WindowText>& WindowTexts() {
    static const std::vector<WindowText> texts = {
        Menu(10, 1, 0),
        Menu(11, 1, 1),
        Menu(12, 1, 2),
        Menu(13, 1, 3),
        Menu(30, 3, 0),
        Menu(31, 3, 1),
        Menu(40, 4, 0),
        Menu(42, 4, 2),
        Menu(43, 4, 3),
        Menu(44, 4, 4),
        Menu(50, 5, 0),
        Menu(70, 7, 0),
        Menu(80, 8, 0),
        Menu(81, 8, 1),
        Part(0, "Label37"),
        Part(1, "Label35"),
        Part(131, "Label5"),
        Part(231, "Label6"),
        Part(231, "Label31"),
        Part(331, "RadioButton1"),
        Part(331, "RadioButton5"),
        Part(431, "RadioButton2"),
        Part(TextKey::StandardQualityMirror, "RadioButton6"),
        Part(531, "Label17"),
        Part(531, "Label30"),
        Part(631, "GroupRadBut"),
        Part(631, "GroupRadBut_2"),
        Part(731, "IndRadBut"),
        Part(731, "IndRadBut_2"),
        Part(831, "SecondWork"),
        Part(931, "BitBtn1"),
        Part(931, "BitBtn2"),
        Part(1031, "Button17"),
        Part(1031, "Button19"),
        Part(1131, "Label9"),
        Part(1131, "Label22"),
        Part(1231, "Label7"),
        Part(1231, "Label20"),
        Part(1331, "Label19"),
        Part(1431, "RadioButton10"),
        Part(1531, "RadioButton9"),
        Part(142, "Label4"),
        Part(242, "AllUp1"),
        Part(342, "UpMove1"),
        Part(442, "AllDown1"),
        Part(542, "Button16"),
        Part(91, "Label45"),
        Part(91, "Label56"),
        Part(92, "Label57"),
        Part(93, "Label58"),
        Part(94, "RadioButton3"),
        Part(94, "RadioButton7"),
        Part(95, "RadioButton4"),
        Part(95, "RadioButton8"),
        Part(96, "Button27"),
        Part(96, "Button30"),
        Part(97, "Button28"),
        Part(97, "Button31"),
    };
    return texts;
}

QString BuiltInCaption(const char* component) {
    for (const WindowText& element : WindowTexts()) {
        if (element.component && std::strcmp(element.component, component) == 0)
            return TextCatalogue::BuiltIn(element.text);
    }
    return {};
}

} // namespace zeb::app
