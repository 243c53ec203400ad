#include "setup/status_messages.h"

namespace zeb {

QString StatusMessages::Text(int n) const {
    if (n < 1 || n > Count)
        return {};
    return m_texts[static_cast<size_t>(n - 1)];
}

void StatusMessages::Set(int n, const QString& text) {
    if (n < 1 || n > Count)
        return;
    m_texts[static_cast<size_t>(n - 1)] = text.left(MaxLength);
}

void SetDefaultMessages(StatusMessages& messages) {
    messages.Set(1, QStringLiteral("Преобразование изображения"));
    messages.Set(2, QStringLiteral("Перенос данных"));
    messages.Set(3, QStringLiteral("Изображение готово"));
    messages.Set(4, QStringLiteral("Устройство готово к работе"));
    messages.Set(5, QStringLiteral("Найдено устройство "));
    messages.Set(6, QStringLiteral("Загрузка файла"));
    messages.Set(7, QStringLiteral("Подготовка данных"));
    messages.Set(8, QStringLiteral("Разогрев головки - "));
}

} // namespace zeb
