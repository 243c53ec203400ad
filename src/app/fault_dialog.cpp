#include "app/fault_dialog.h"

#include "app/widgets.h"

#include <QVBoxLayout>

namespace zeb::app {

TForm4::TForm4(const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
    setWindowTitle(texts.Text(TextKey::FaultTitle));
    setWindowFlags(Qt::Tool | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(367, 254);
    auto* layout = new QVBoxLayout(this);
    // Top to bottom.
    const struct {
        const char* name;
        int code;
    } labels[] = {
        {"Label1", 2003}, {"Label4", 2013}, {"Label2", 2023}, {"Label3", 2033},
        {"Label5", 2043}, {"Label6", 2053}, {"Label7", 2063},
    };
    for (const auto& l : labels) {
        QLabel* label = MakeLabel(this, l.name, texts.Text(l.code));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

} // namespace zeb::app
