// The code table of the language file: each code with the built-in text it replaces. Where the
// file and the program meet: a language file is lines of these codes, "=" and a text.
//
// Top menu k is the k-th item of the main menu bar counted from 1 ("Файл" 1 .. "STOP" 9);
// items are counted from 1 within their menu. One code may name several elements of the
// window (the window's own table says which).
#include "text/text_tables.h"

namespace zeb::text {

namespace {

// Replaced where the file defines it, kept where it does not: the main window's elements.
CodedText Window(int code, const char* text) {
    return {code, true, text};
}
// The status line's texts; the same rule.
CodedText Status(int code, const char* text) {
    return {code, true, text};
}
// Stored for a dialog or a message: empty where a loaded file does not define it.
CodedText Stored(int code, const char* text) {
    return {code, false, text};
}

} // namespace

const std::vector<CodedText>& CodedTexts() {
    static const std::vector<CodedText> texts = {
        // Main menu.
        Window(10, "Файл"),    // top menu 1
        Window(11, "Открыть"), // its items 1, 2, 3
        Window(12, "Сохранить"),
        Window(13, "Выход"),
        Window(30, "Работа"),     // top menu 3
        Window(31, "Гравировка"), // its item 1
        Window(40, "Установки"),  // top menu 4
        Window(42, "Геометрия"),  // its items 2, 3, 4; 43 also sets status entry 8
        Window(43, "Разогрев"),
        Window(44, "Перемещение иглы"),
        Window(50, "Порт"),   // top menu 5
        Window(70, "Тест"),   // top menu 7
        Window(80, "Помощь"), // top menu 8
        Window(81, "О..."),   // its item 1
        // Status bar.
        Window(0, "Длительность работы: "),    // the job's duration
        Window(1, "Время завершения работы:"), // its completion time
        // Engraving-properties and second-pass panels.
        Window(131, "Свойства гравирования"),
        Window(231, "Качество гравирования"),
        Window(331, "Высокое   (односторонний проход)"),
        Window(431, "Стандарт  (двухсторонний проход)"),
        Window(531, "Уровни"),
        Window(631, "Групповая установка уровней"),
        Window(731, "Индивидуальная установка уровней"),
        Window(831, "Двойной проход"),
        Window(931, "Отмена"),
        Window(1031, "Работа"),
        Window(1131, "Уровень яркости"),
        Window(1231, "Сила удара"),
        Window(1331, "Второй проход"),
        Window(1431, "Портрет (качество)"),
        Window(1531, "Текст (ускорение)"),
        // Position box.
        Window(142, "Перемещение инструмента на позицию"),
        Window(242, "Игла всегда поднята."),
        Window(342, "Игла поднята при перемещении."),
        Window(442, "Игла скользит по плоскости."),
        Window(542, "Завершить"),
        // Interrupted-job panel.
        Window(91, "Работа прервана"),
        Window(92, "Первый проход"),
        Window(93, "Второй проход"),
        Window(94, "Групповая установка уровней"),
        Window(95, "Индивидуальная установка уровней"),
        Window(96, "Продолжить работу"),
        Window(97, "Завершить работу"),
        // Conversion-choice dialog: its heading and the two conversions.
        Stored(111, "Варианты преобразования изображения"),
        Stored(211, "Комбинированный (улучшенный)"),
        Stored(311, "Диффузионный (простой)"),
        // About dialog: the product, the distributor's heading and name, the phones' heading,
        // two phones, e-mail, web and two messengers. The distributor's lines are an
        // installation's; the build ships placeholders.
        Stored(181, "Гравировальный полуавтомат"),
        Stored(281, "Эксклюзивный распространитель"),
        Stored(381, "Дистрибьютор (образец)"),
        Stored(481, "Тел. Беларусь"),
        Stored(581, "+375 00 000-00-00"),
        Stored(681, "+375 00 000-00-01"),
        Stored(781, "info@example.org"),
        Stored(881, "www.example.org"),
        Stored(981, "Viber: +375 00 000-00-00"),
        Stored(1081, "Telegram: @example"),
        // Unfinished-job dialog: its caption, the two lines of its question, "finish", the
        // warm-up, "ignore".
        Stored(2001, "Внимание !"),
        Stored(2011, "Предидущая работа не  завершена !"),
        Stored(2021, "Какие дейсвия предпринять ?  "),
        Stored(2031, "Завершить незавершенный проект."),
        Stored(2041, "Предварительный разогрев"),
        Stored(2051, "Игнороировать незавершенную работу.(Удалить аварийные данные и продолжить "
                     "нормальную работу)"),
        // Portrait-properties dialog: the resolution's and the alignment's headings.
        Stored(2002, "Разрешение (плотность точек) "),
        Stored(2012, "Расположение изображения на рабочем поле"),
        // Fault dialog, top to bottom.
        Stored(2003, "Произошла неизвестная ошибка."),
        Stored(2013, "Рекомендуется:  "),
        Stored(2023, "1. Завершить работу программы и "),
        Stored(2033, "отключить гравировальное устройство от сети."),
        Stored(2043, "2. Выждать 2-е минуты."),
        Stored(2053, "3. Включить устройство в сеть и запустить программу."),
        Stored(2063, "4. Выполнить рекомендации программы."),
        // The link's two messages: the port cannot be written, the greeting cannot be sent.
        Stored(9001, "Проверьте исправность порта связи"),
        Stored(9002, "Ошибка связи."),
        // Status entries 1, 2, 3, 6, 7, 8, 4, 5.
        Status(9003, "Преобразование изображения"),
        Status(9004, "Перенос данных"),
        Status(9005, "Изображение готово"),
        Status(9006, "Загрузка файла"),
        Status(9007, "Подготовка данных"),
        Status(9008, "Разогрев головки - "),
        Status(9009, "Устройство готово к работе"),
        Status(9010, "Найдено устройство "),
    };
    return texts;
}

int StatusCode(int entry) {
    // Entries 1..8 by code: 9003, 9004, 9005, 9009, 9010, 9006, 9007, 9008.
    static const int codes[] = {9003, 9004, 9005, 9009, 9010, 9006, 9007, 9008};
    return entry >= 1 && entry <= 8 ? codes[entry - 1] : NoCode;
}

} // namespace zeb::text
