#include "app/picture_controller.h"

#include "app/field_mouse_controller.h"
#include "app/field_widget.h"
#include "app/menu_form.h"
#include "app/picture_dialogs.h"
#include "job/session.h"
#include "picture/field_overhang.h"
#include "picture/open_command.h"
#include "picture/picture_file.h"
#include "picture/portrait_properties.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace zeb::app {

namespace {

const std::pair<const char*, HorizontalAlignment> HorizontalItems[] = {
    {"Left", HorizontalAlignment::Left},
    {"HorCenrt", HorizontalAlignment::Center},
    {"Right", HorizontalAlignment::Right},
};
const std::pair<const char*, VerticalAlignment> VerticalItems[] = {
    {"Up", VerticalAlignment::Top},
    {"VertCentr", VerticalAlignment::Center},
    {"Down", VerticalAlignment::Bottom},
};

// The Open road's status lines as the status table holds them now (a language file may have
// replaced them).
PictureStatusTexts StatusTexts(const TextCatalogue& texts) {
    return {texts.Status(6), texts.Status(7), texts.Status(1), texts.Status(2), texts.Status(3)};
}

std::optional<QString> RunFileDialog(QFileDialog& dialog) {
    // The framework's own dialog: the same on every desktop, and a test can answer it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

PictureController::PictureController(TMenuForm& form) : QObject(&form), m_form(form) {
    new FieldMouseController(form);
    connect(form.Item("Open"), &QAction::triggered, this, &PictureController::OpenClick);
    connect(form.Item("Save1"), &QAction::triggered, this, &PictureController::Save1Click);
    for (const auto& [name, alignment] : HorizontalItems) {
        connect(form.Item(name), &QAction::triggered, this, [this, alignment] {
            m_form.State().Place.Horizontal = alignment;
            ShowAlignment();
        });
    }
    for (const auto& [name, alignment] : VerticalItems) {
        connect(form.Item(name), &QAction::triggered, this, [this, alignment] {
            m_form.State().Place.Vertical = alignment;
            ShowAlignment();
        });
    }
    ShowAlignment();
    connect(&form, &TMenuForm::DialogsCreated, this, &PictureController::DialogsCreated);
}

void PictureController::DialogsCreated() {
    TForm5* form5 = m_form.Form5();
    // FormCreate: the held resolution is selected once; later changes of the setting (the
    // calibration) do not reach the list.
    form5->SelectResolution(m_form.State().Config.ResolutionIndex);
    connect(form5, &TForm5::ResolutionChanged, this, [this](int index) {
        ChooseResolution(m_form.State().Config.ResolutionIndex, index);
        ShowFieldFit();
    });
    connect(form5, &TForm5::AlignmentPointed, this, &PictureController::ShowFieldFit);
    connect(form5, &TForm5::AlignmentButtonClicked, this, [this](int button) {
        ChooseAlignment(m_form.State().Place, button);
        ShowAlignment();
    });
    connect(form5, &TForm5::Closed, this, &PictureController::Form5FormClose);
    connect(m_form.ConvertForm(), &TConvertForm::Button1Clicked, this,
            [this](bool combined) { ChooseConversion(m_form.State().Picture, combined); });
}

void PictureController::OpenClick() {
    Session& s = m_form.State();
    OpenCommandContext ctx = OpenContext(s, StatusTexts(s.Texts));
    OpenCommandDialogs dialogs;
    dialogs.showConvertForm = [this] { m_form.ConvertForm()->exec(); };
    dialogs.runOpenDialog = [this] { return RunOpenDialog(); };
    dialogs.showForm5 = [this] {
        ShowFieldFit();
        m_form.Form5()->exec();
    };
    dialogs.setCaption = [this](const QString& caption) { m_form.setWindowTitle(caption); };
    dialogs.enableSelfTesting = [this] { m_form.Item("SelfTesting1")->setEnabled(true); };
    const Outcome opened = zeb::OpenPicture(ctx, dialogs);
    Tell(m_form, opened);
    m_form.Image1()->ImageChanged();
    if (opened)
        m_form.ScrollToPicture();
    // A refused file keeps the picture held, and with it what there is to save.
    m_form.Item("Save1")->setEnabled(!s.Picture.WorkPicture.isNull());
}

void PictureController::Save1Click() {
    Session& s = m_form.State();
    Tell(m_form, zeb::SaveDotPictureAs(s.Picture, [this] { return RunSaveDialog(); }));
}

// LeftClick .. DownClick end here too: the item has toggled its own mark, and a click on a
// checked item must not clear it.
void PictureController::ShowAlignment() {
    const Placement& place = m_form.State().Place;
    for (const auto& [name, alignment] : HorizontalItems)
        m_form.Item(name)->setChecked(place.Horizontal == alignment);
    for (const auto& [name, alignment] : VerticalItems)
        m_form.Item(name)->setChecked(place.Vertical == alignment);
}

void PictureController::Form5FormClose() {
    // As zeb::ConfirmPortraitProperties, with the resolution in the language file's words.
    Session& s = m_form.State();
    zeb::ChooseResolution(s.Config.ResolutionIndex, m_form.Form5()->SelectedResolution());
    m_form.setWindowTitle(m_form.windowTitle() + ResolutionText(s.Texts, s.Config.ResolutionIndex) +
                          QStringLiteral("    (") + s.Picture.PicturePath + QStringLiteral(")"));
}

void PictureController::ShowFieldFit(int pointed) {
    const Session& s = m_form.State();
    Placement alignment = s.Place;
    if (pointed != 0)
        ChooseAlignment(alignment, pointed);
    const int resolution = s.Config.ResolutionIndex;
    const QSize picture = s.Picture.WorkPicture.size();
    const QSize field = FieldSize(s.View.Image1.size(), resolution);
    const FieldOverhang overhang =
        OverhangAligned(alignment, picture, field, resolution, s.Unfinished.PinnedPlace());
    m_form.Form5()->ShowFieldFit(PictureSizeText(s.Texts, picture, resolution),
                                 FieldFitText(s.Texts, overhang, field, resolution),
                                 overhang.Fits());
}

std::optional<QString> PictureController::RunOpenDialog() {
    QFileDialog dialog(&m_form, QString(), DialogDirectory(), PictureFileFilter());
    dialog.setObjectName("OpenDialog1");
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<QString> PictureController::RunSaveDialog() {
    QFileDialog dialog(&m_form, QString(), DialogDirectory(),
                       m_form.State().Texts.Text(TextKey::SaveDialogFilter));
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return RunFileDialog(dialog);
}

QString PictureController::DialogDirectory() const {
    const QString& path = m_form.State().Picture.PicturePath;
    return path.isEmpty() ? m_form.State().StartDirectory : QFileInfo(path).absolutePath();
}

} // namespace zeb::app
