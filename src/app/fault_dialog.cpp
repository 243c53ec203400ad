#include "app/fault_dialog.h"

#include "app/widgets.h"

#include <QVBoxLayout>

namespace zeb::app {

TForm4::TForm4(const LanguageText& text, QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
    setWindowTitle("Eror message.");
    setWindowFlags(Qt::Tool | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(367, 254);
    auto* layout = new QVBoxLayout(this);
    const struct {
        const char* name;
        int code;
        const char* builtIn;
    } labels[] = {
        {"Label1", 2003, "Произошла неизвестная ошибка."},
        {"Label4", 2013, "Рекомендуется:  "},
        {"Label2", 2023, "1. Завершить работу программы и "},
        {"Label3", 2033, "отключить гравировальное устройство от сети."},
        {"Label5", 2043, "2. Выждать 2-е минуты."},
        {"Label6", 2053, "3. Включить устройство в сеть и запустить программу."},
        {"Label7", 2063, "4. Выполнить рекомендации программы."},
    };
    for (const auto& l : labels) {
        QLabel* label = MakeLabel(this, l.name, text(l.code, QString::fromUtf8(l.builtIn)));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

} // namespace zeb::app
