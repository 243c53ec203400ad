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

TAboutBox::TAboutBox(const TextCatalogue& texts, const QString& directory, QWidget* parent)
    : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(texts.Text(TextKey::AboutTitle));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(239, 266);
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, TextId text) {
        QLabel* label = MakeLabel(this, name, TextCatalogue::BuiltIn(text));
        label->setWordWrap(true);
        layout->addWidget(label);
        return label;
    };
    QLabel* product = add("Label1", 181);
    QFont productFont = product->font();
    productFont.setPixelSize(13);
    product->setFont(productFont);
    add("Label8", TextKey::AboutVersion);
    // The build's own version, apart from the line above that "DopFile.txt" may replace: the
    // one to quote when reporting a fault.
    QLabel* version =
        MakeLabel(this, "VersionLabel", QStringLiteral("ZEB %1").arg(QLatin1String(Version())));
    layout->addWidget(version);
    add("Label2", 281);
    QLabel* name = add("Label3", 381);
    name->setFont(Bold(name->font()));
    add("Label6", 481);
    add("Label4", 581);
    add("Label5", 681);
    add("Label7", 781);
    add("Label9", 881);
    add("Label10", 981);
    add("Label11", 1081);
    auto* ok = MakeButton(this, "Button1", texts.Text(TextKey::ButtonOK));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    const QStringList file = ReadDistributorFile(directory);
    const char* fromFile[] = {"Label8", "Label3", "Label6", "Label4", "Label5", "Label7"};
    for (int i = 0; i < file.size(); ++i)
        findChild<QLabel*>(fromFile[i])->setText(file[i]);
    // A language file is the whole translation: it wins over "DopFile.txt", and a label it
    // leaves out stays empty. The version line is never translated.
    if (texts.LanguageLoaded()) {
        const struct {
            int code;
            const char* label;
        } translated[] = {{181, "Label1"},  {281, "Label2"},  {381, "Label3"}, {481, "Label6"},
                          {581, "Label4"},  {681, "Label5"},  {781, "Label7"}, {881, "Label9"},
                          {981, "Label10"}, {1081, "Label11"}};
        for (const auto& t : translated)
            findChild<QLabel*>(t.label)->setText(texts.Text(t.code));
    }
}

} // namespace zeb::app
