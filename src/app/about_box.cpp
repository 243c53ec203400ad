#include "app/about_box.h"

#include "app/widgets.h"
#include "version/version.h"

#include <QFile>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace zeb::app {

QStringList ReadDistributorFile(const QString& directory) {
    QFile file(directory + QStringLiteral("/DopFile.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("Windows-1251");
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        QByteArray line = file.atEnd() ? QByteArray() : file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        lines << decode(line);
    }
    return lines;
}

TAboutBox::TAboutBox(const LanguageText& text, bool languageLoaded, const QString& directory,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About Menu");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(239, 266);
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, const char* builtIn) {
        QLabel* label = MakeLabel(this, name, QString::fromUtf8(builtIn));
        label->setWordWrap(true);
        layout->addWidget(label);
        return label;
    };
    QLabel* product = add("Label1", "Гравировальный полуавтомат");
    QFont productFont = product->font();
    productFont.setPixelSize(13);
    product->setFont(productFont);
    add("Label8", "ZEB_05z6 (10_01_2020)");
    // The build's own version, apart from the line above that "DopFile.txt" may replace: the
    // one to quote when reporting a fault.
    add("VersionLabel", "")->setText(QStringLiteral("ZEB %1").arg(QLatin1String(Version())));
    add("Label2", "Эксклюзивный распространитель");
    QLabel* name = add("Label3", "Дистрибьютор (образец)");
    name->setFont(Bold(name->font()));
    add("Label6", "Тел. Беларусь");
    add("Label4", "+375 00 000-00-00");
    add("Label5", "+375 00 000-00-01");
    add("Label7", "info@example.org");
    add("Label9", "www.example.org");
    add("Label10", "Viber: +375 00 000-00-00");
    add("Label11", "Telegram: @example");
    auto* ok = MakeButton(this, "Button1", "OK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    const QStringList file = ReadDistributorFile(directory);
    const char* fromFile[] = {"Label8", "Label3", "Label6", "Label4", "Label5", "Label7"};
    for (int i = 0; i < file.size(); ++i)
        findChild<QLabel*>(fromFile[i])->setText(file[i]);
    if (languageLoaded) {
        const struct {
            int code;
            const char* label;
        } translated[] = {{181, "Label1"},  {281, "Label2"},  {381, "Label3"}, {481, "Label6"},
                          {581, "Label4"},  {681, "Label5"},  {781, "Label7"}, {881, "Label9"},
                          {981, "Label10"}, {1081, "Label11"}};
        for (const auto& t : translated) {
            QLabel* label = findChild<QLabel*>(t.label);
            label->setText(text(t.code, label->text()));
        }
    }
}

} // namespace zeb::app
