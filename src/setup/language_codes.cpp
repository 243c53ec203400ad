#include "setup/language_codes.h"

#include <algorithm>

namespace zeb {

namespace {

MainWindowText Menu(int code, int top, int item, const char* text) {
    return {code, QString(), top, item, QString::fromUtf8(text)};
}

MainWindowText Part(int code, const char* component, const char* text) {
    return {code, QString::fromLatin1(component), 0, 0, QString::fromUtf8(text)};
}

StoredText Stored(int code, const char* owner, const char* component, const char* text = "") {
    return {code, QString::fromLatin1(owner), QString::fromLatin1(component),
            QString::fromUtf8(text)};
}

} // namespace

const std::vector<MainWindowText>& MainWindowTexts() {
    static const std::vector<MainWindowText> texts = {
        Menu(10, 1, 0, "Файл"),
        Menu(11, 1, 1, "Открыть"),
        Menu(12, 1, 2, "Сохранить"),
        Menu(13, 1, 3, "Выход"),
        Menu(30, 3, 0, "Работа"),
        Menu(31, 3, 1, "Гравировка"),
        Menu(40, 4, 0, "Установки"),
        Menu(42, 4, 2, "Геометрия"),
        Menu(43, 4, 3, "Разогрев"),
        Menu(44, 4, 4, "Перемещение иглы"),
        Menu(50, 5, 0, "Порт"),
        Menu(70, 7, 0, "Тест"),
        Menu(80, 8, 0, "Помощь"),
        Menu(81, 8, 1, "О..."),
        Part(0, "Label37", "Длительность работы: "),
        Part(1, "Label35", "Время завершения работы:"),
        Part(131, "Label5", "Свойства гравирования"),
        Part(231, "Label6", "Качество гравирования"),
        Part(231, "Label31", "Качество гравирования"),
        Part(331, "RadioButton1", "Высокое   (односторонний проход)"),
        Part(331, "RadioButton5", "Высокое   (односторонний проход)"),
        Part(431, "RadioButton2", "Стандарт  (двухсторонний проход)"),
        Part(431, "RadioButton6", "Стандарт   (двухсторонний проход)"),
        Part(531, "Label17", "Уровни"),
        Part(531, "Label30", "Уровни"),
        Part(631, "GroupRadBut", "Групповая установка уровней"),
        Part(631, "GroupRadBut_2", "Групповая установка уровней"),
        Part(731, "IndRadBut", "Индивидуальная установка уровней"),
        Part(731, "IndRadBut_2", "Индивидуальная установка уровней"),
        Part(831, "SecondWork", "Двойной проход"),
        Part(931, "BitBtn1", "Отмена"),
        Part(931, "BitBtn2", "Отмена"),
        Part(1031, "Button17", "Работа"),
        Part(1031, "Button19", "Работа"),
        Part(1131, "Label9", "Уровень яркости"),
        Part(1131, "Label22", "Уровень яркости"),
        Part(1231, "Label7", "Сила удара"),
        Part(1231, "Label20", "Сила удара"),
        Part(1331, "Label19", "Второй проход"),
        Part(1431, "RadioButton10", "Портрет (качество)"),
        Part(1531, "RadioButton9", "Текст (ускорение)"),
        Part(142, "Label4", "Перемещение инструмента на позицию"),
        Part(242, "AllUp1", "Игла всегда поднята."),
        Part(342, "UpMove1", "Игла поднята при перемещении."),
        Part(442, "AllDown1", "Игла скользит по плоскости."),
        Part(542, "Button16", "Завершить"),
        Part(91, "Label45", "Работа прервана"),
        Part(91, "Label56", "Работа прервана"),
        Part(92, "Label57", "Первый проход"),
        Part(93, "Label58", "Второй проход"),
        Part(94, "RadioButton3", "Групповая установка уровней"),
        Part(94, "RadioButton7", "Групповая установка уровней"),
        Part(95, "RadioButton4", "Индивидуальная установка уровней"),
        Part(95, "RadioButton8", "Индивидуальная установка уровней"),
        Part(96, "Button27", "Продолжить работу"),
        Part(96, "Button30", "Продолжить работу"),
        Part(97, "Button28", "Завершить работу"),
        Part(97, "Button31", "Завершить работу"),
    };
    return texts;
}

QString DefaultMainWindowText(const QString& component) {
    if (component.isEmpty())
        return {};
    for (const MainWindowText& text : MainWindowTexts()) {
        if (text.component == component)
            return text.defaultText;
    }
    return {};
}

QString DefaultMenuText(int topMenu, int menuItem) {
    for (const MainWindowText& text : MainWindowTexts()) {
        if (text.component.isEmpty() && text.topMenu == topMenu && text.menuItem == menuItem)
            return text.defaultText;
    }
    return {};
}

const std::vector<StoredText>& StoredTexts() {
    static const std::vector<StoredText> texts = {
        Stored(111, "TConvertForm", "Label9", "Варианты преобразования изображения"),
        Stored(211, "TConvertForm", "RadioButton3", "Комбинированный (улучшенный)"),
        Stored(311, "TConvertForm", "RadioButton4", "Диффузионный (простой)"),
        Stored(181, "TAboutBox", "Label1", "Гравировальный полуавтомат"),
        Stored(281, "TAboutBox", "Label2", "Эксклюзивный распространитель"),
        Stored(381, "TAboutBox", "Label3"),
        Stored(481, "TAboutBox", "Label6", "Тел. Беларусь"),
        Stored(581, "TAboutBox", "Label4"),
        Stored(681, "TAboutBox", "Label5"),
        Stored(781, "TAboutBox", "Label7"),
        Stored(881, "TAboutBox", "Label9"),
        Stored(981, "TAboutBox", "Label10"),
        Stored(1081, "TAboutBox", "Label11"),
        Stored(2001, "TForm1", "caption", "Внимание !"),
        Stored(2011, "TForm1", "Label1", "Предидущая работа не  завершена !"),
        Stored(2021, "TForm1", "Label2", "Какие дейсвия предпринять ?  "),
        Stored(2031, "TForm1", "OkButton", "Завершить незавершенный проект."),
        Stored(2051, "TForm1", "IgnoreButton",
               "Игнороировать незавершенную работу.(Удалить аварийные данные и продолжить "
               "нормальную работу)"),
        Stored(2041, "TForm1", "Label19", "Предварительный разогрев"),
        Stored(2002, "TForm5", "Label1", "Разрешение (плотность точек) "),
        Stored(2012, "TForm5", "Label3", "Расположение изображения на рабочем поле"),
        Stored(2003, "TForm4", "Label1", "Произошла неизвестная ошибка."),
        Stored(2023, "TForm4", "Label2", "1. Завершить работу программы и "),
        Stored(2033, "TForm4", "Label3", "отключить гравировальное устройство от сети."),
        Stored(2013, "TForm4", "Label4", "Рекомендуется:  "),
        Stored(2043, "TForm4", "Label5", "2. Выждать 2-е минуты."),
        Stored(2053, "TForm4", "Label6", "3. Включить устройство в сеть и запустить программу."),
        Stored(2063, "TForm4", "Label7", "4. Выполнить рекомендации программы."),
        Stored(LanguageCode::PortCheckMessage, "link", "PortCheckMessage",
               "Проверьте исправность порта связи"),
        Stored(LanguageCode::LinkErrorMessage, "link", "LinkErrorMessage", "Ошибка связи."),
    };
    return texts;
}

QString DefaultStoredText(int code) {
    for (const StoredText& text : StoredTexts()) {
        if (text.code == code)
            return text.defaultText;
    }
    return {};
}

int StatusEntryForCode(int code) {
    // Codes 9003..9010 name entries 1, 2, 3, 6, 7, 8, 4, 5 in turn.
    static const int entries[] = {1, 2, 3, 6, 7, 8, 4, 5};
    if (code == 43)
        return 8;
    if (code >= 9003 && code <= 9010)
        return entries[code - 9003];
    return 0;
}

bool IsKnownLanguageCode(int code) {
    if (StatusEntryForCode(code) != 0)
        return true;
    const auto& main = MainWindowTexts();
    if (std::any_of(main.begin(), main.end(), [code](const auto& t) { return t.code == code; }))
        return true;
    const auto& stored = StoredTexts();
    return std::any_of(stored.begin(), stored.end(),
                       [code](const auto& t) { return t.code == code; });
}

} // namespace zeb
