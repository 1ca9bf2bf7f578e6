#include "surface3d/GLBitSize.h"

#include "dialogs/FileDialog.h"
#include "dialogs/NamedWidget.h"
#include "dialogs/WizardSpinEdit.h"
#include "numeric/FieldChecks.h"
#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "services/SafeWrite.h"
#include "surface3d/BitSizeLogic.h"

#include <QApplication>
#include <QBuffer>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

constexpr std::int32_t MinSide = 320;
constexpr std::int32_t MaxSide = 4096;

std::optional<std::int32_t> FieldNumber(const TWizardSpinEdit& field) {
    std::int32_t value = 0;
    if (!TextToInt(field.Text().toStdString(), value))
        return std::nullopt;
    return value;
}

bool HoldsValidSide(const TWizardSpinEdit& field) {
    const std::optional<std::int32_t> value = FieldNumber(field);
    return value && *value >= MinSide && *value <= MaxSide;
}

} // namespace

TGLBitSize::TGLBitSize(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("GLBitSize"));
    setWindowTitle(QStringLiteral("Вывод в растр"));

    SEWidth = Named(new TWizardSpinEdit(MinSide, MaxSide, 640, this), QStringLiteral("SEWidth"));
    SEHeight = Named(new TWizardSpinEdit(MinSide, MaxSide, 480, this), QStringLiteral("SEHeight"));
    EFileSize = Named(new QLineEdit(this), QStringLiteral("EFileSize"));
    EFileSize->setReadOnly(true);
    WidthLabel = new QLabel(QStringLiteral("Ширина растра"), this);
    WidthLabel->setBuddy(SEWidth);
    HeightLabel = new QLabel(QStringLiteral("Высота растра"), this);
    HeightLabel->setBuddy(SEHeight);

    auto* fields = new QFormLayout;
    fields->addRow(WidthLabel, SEWidth);
    fields->addRow(HeightLabel, SEHeight);
    fields->addRow(new QLabel(QStringLiteral("Размер файла, Кб"), this), EFileSize);
    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("OK"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    for (TWizardSpinEdit* field : {SEWidth, SEHeight}) {
        connect(field, &TWizardSpinEdit::TextChanged, this, &TGLBitSize::RefreshFileSize);
        field->installEventFilter(this);
    }
    RefreshFileSize();
    adjustSize();
}

std::optional<QSize> TGLBitSize::Run() {
    if (exec() != Accepted)
        return std::nullopt;
    return QSize(SEWidth->ClampedValue(), SEHeight->ClampedValue());
}

void TGLBitSize::RefreshFileSize() {
    const std::optional<std::int32_t> kb =
        RasterFileSizeKb(FieldNumber(*SEWidth), FieldNumber(*SEHeight));
    EFileSize->setText(kb ? QString::number(*kb) : QString());
}

bool TGLBitSize::CheckField(TWizardSpinEdit* field, QLabel* label) {
    if (field->Check(label->text().toStdString()))
        return true;
    // The check has put the smallest size back, but the person is to type
    // a new one: no size is offered meanwhile.
    EFileSize->clear();
    return false;
}

bool TGLBitSize::Validate() {
    return CheckField(SEWidth, WidthLabel) && CheckField(SEHeight, HeightLabel);
}

void TGLBitSize::Restore() {
    for (TWizardSpinEdit* field : {SEWidth, SEHeight})
        if (!HoldsValidSide(*field))
            field->SetValue(MinSide);
}

void TGLBitSize::showEvent(QShowEvent* event) {
    TSmallDialog::showEvent(event);
    RefreshFileSize();
    SEWidth->setFocus();
    SEWidth->selectAll();
}

bool TGLBitSize::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a field for another control of the dialog checks it; "OK"
    // checks both by itself and "Отмена" needs no valid size. A warning box
    // taking the keyboard, or the dialog closing, is no leaving.
    auto* field = qobject_cast<TWizardSpinEdit*>(watched);
    if (field && event->type() == QEvent::FocusOut && isVisible() &&
        CloseResult() == TCloseResult::None) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && next &&
            next->window() == this && next != OkButton && next != CancelButton && next != field &&
            !field->isAncestorOf(next))
            CheckField(field, field == SEWidth ? WidthLabel : HeightLabel);
    }
    return TSmallDialog::eventFilter(watched, event);
}

std::optional<std::string> AskBitmapFileName(QWidget* parent) {
    TFileDialog dialog(parent, QStringLiteral("Сохранить растр как"), true);
    dialog.SetFilters({ShownFilterEntry(QStringLiteral("Растр Windows (*.bmp)"))});
    // Qt adds the default extension to the name it hands back, so the
    // question about replacing a file already names the bitmap written.
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    const auto choice = dialog.Run();
    if (!choice)
        return std::nullopt;
    return choice->Path.toStdString();
}

bool WriteBitmapFile(const QImage& image, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Qt writes every picture without a colour table as 24 bits a pixel.
    image.save(&buffer, "BMP");
    return WriteFileSafely(path, [&](TStream& stream) {
        stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

QImage Rgb888(QImage image) {
    // The driver's alpha is what the scene's blending left there, not a
    // coverage of the colour: the colour bytes stand as they are and only
    // the alpha goes.
    if (image.format() == QImage::Format_RGBA8888_Premultiplied)
        image.reinterpretAsFormat(QImage::Format_RGBA8888);
    else if (image.format() == QImage::Format_ARGB32_Premultiplied)
        image.reinterpretAsFormat(QImage::Format_ARGB32);
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace orvanta
