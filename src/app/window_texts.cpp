#include "app/window_texts.h"

#include <cstring>

namespace zeb::app {

namespace {

WindowText Menu(TextId text, int top, int item, int sub = 0) {
    return {text, nullptr, top, item, sub};
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
        // Given codes later.
        Menu(TextKey::MenuService, 2, 0),
        Menu(TextKey::MenuConvert, 2, 1),
        Menu(TextKey::MenuOriginal, 2, 2),
        Menu(TextKey::MenuQualityHigh, 3, 2),
        Menu(TextKey::MenuQualityLow, 3, 3),
        Menu(TextKey::MenuStrikeForce, 4, 1),
        Menu(TextKey::MenuFieldSize, 4, 5),
        Menu(TextKey::MenuCalibration, 4, 6),
        Menu(TextKey::MenuSelfTesting, 4, 7),
        Menu(TextKey::MenuLayout, 6, 0),
        Menu(TextKey::MenuHorizontal, 6, 1),
        Menu(TextKey::MenuLeft, 6, 1, 1),
        Menu(TextKey::MenuHorizontalCentre, 6, 1, 2),
        Menu(TextKey::MenuRight, 6, 1, 3),
        Menu(TextKey::MenuVertical, 6, 2),
        Menu(TextKey::MenuTop, 6, 2, 1),
        Menu(TextKey::MenuVerticalCentre, 6, 2, 2),
        Menu(TextKey::MenuBottom, 6, 2, 3),
        Menu(TextKey::MenuOptimisation, 8, 2),
        Menu(TextKey::MenuStop, 9, 0),
        Menu(TextKey::PortOther, 5, 10),
        Part(TextKey::ToolPanelMove, "GroupBox2"),
        Part(TextKey::ToolPanelMarker, "Marker"),
        Part(TextKey::ToolPanelNeedle, "Igla"),
        Part(TextKey::ToolPanelNeedleBox, "GroupBox3"),
        Part(TextKey::ToolPanelNeedleUp, "AllUp"),
        Part(TextKey::ToolPanelNeedleUpMoving, "UpMove"),
        Part(TextKey::ToolPanelNeedleUpMovingEnd, "Label60"),
        Part(TextKey::ToolPanelNeedleDown, "AllDown"),
        Part(TextKey::ButtonOK, "Ok"),
        Part(TextKey::PositionLeftTop, "Button7"),
        Part(TextKey::PositionMiddleTop, "Button8"),
        Part(TextKey::PositionRightTop, "Button9"),
        Part(TextKey::PositionLeftMiddle, "Button10"),
        Part(TextKey::PositionMiddleMiddle, "Button11"),
        Part(TextKey::PositionRightMiddle, "Button12"),
        Part(TextKey::PositionLeftBottom, "Button13"),
        Part(TextKey::PositionMiddleBottom, "Button14"),
        Part(TextKey::PositionRightBottom, "Button15"),
        Part(TextKey::FieldViewHeading, "Label18"),
        Part(TextKey::FieldViewUnits, "Label32"),
        Part(TextKey::FieldViewDpi, "Label33"),
        Part(TextKey::FieldViewDpi, "Label34"),
        Part(TextKey::ButtonOK, "Button18"),
        Part(TextKey::SelfTestErrorCounter, "ErorCounterLabel"),
        Part(TextKey::SelfTestNeedCommand, "NeedComandLabel"),
        Part(TextKey::SelfTestGetCommand, "GetComandLabel"),
        Part(TextKey::SelfTestStepControl, "StepControlCheckBox"),
        Part(TextKey::SelfTestWriteFile, "CheckBox1"),
        Part(TextKey::SelfTestCountPosX, "CountPosXLabel"),
        Part(TextKey::SelfTestRealPosX, "RealPosXLabel"),
        Part(TextKey::SelfTestCountPosY, "CountPosYLabel"),
        Part(TextKey::SelfTestRealPosY, "RealPosYLabel"),
        Part(TextKey::PreviewButton, "PreviewButton"),
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

QString WithCaption(const QString& text, const TextCatalogue& texts, int code) {
    const QString builtIn = TextCatalogue::BuiltIn(code);
    return text.startsWith(builtIn) ? texts.Text(code) + text.mid(builtIn.size()) : text;
}

} // namespace zeb::app
