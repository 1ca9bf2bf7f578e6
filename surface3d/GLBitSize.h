#pragma once

#include "dialogs/DialogClosing.h"

#include <QImage>
#include <QSize>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvanta {

class TWizardSpinEdit;

// "Вывод в растр": the width and height of the raster the scene is drawn
// into, with the size of the file it makes. The fields keep their values
// from one use to the next.
class TGLBitSize : public TSmallDialog {
    Q_OBJECT
public:
    explicit TGLBitSize(QWidget* parent = nullptr);

    // Shows the dialog modally; the chosen size on OK, nullopt on cancel.
    std::optional<QSize> Run();

    TWizardSpinEdit* SEWidth = nullptr;
    TWizardSpinEdit* SEHeight = nullptr;
    QLineEdit* EFileSize = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;
    // A field that holds no valid size goes back to the smallest one.
    void Restore() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshFileSize();
    bool CheckField(TWizardSpinEdit* field, QLabel* label);

    QLabel* WidthLabel = nullptr;
    QLabel* HeightLabel = nullptr;
};

// The save dialog of the rasters, "Сохранить растр как"; nullopt when
// cancelled.
std::optional<std::string> AskBitmapFileName(QWidget* parent);
// Writes the picture as a 24-bit Windows bitmap, safely; a failure is told
// to the person with the path.
bool WriteBitmapFile(const QImage& image, const std::string& path);
// The colour bytes of a picture read back from OpenGL, 24-bit.
QImage Rgb888(QImage image);

} // namespace orvanta
