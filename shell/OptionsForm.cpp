#include "shell/OptionsForm.h"

#include "numeric/Messages.h"
#include "plan/Settings.h"
#include "shell/OptionsPages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace orvanta {

TOptionsForm::TOptionsForm(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Параметры"));
    Pages = new TOptionsPages(this);
    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Ok"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);
    connect(this, &QDialog::accepted, this, &TOptionsForm::StoreOptions);
}

bool TOptionsForm::Execute() {
    return exec() == Accepted;
}

void TOptionsForm::accept() {
    if (Pages->CheckFields())
        TSmallDialog::accept();
}

void TOptionsForm::showEvent(QShowEvent* event) {
    TSmallDialog::showEvent(event);
    // A window coming back from the task bar keeps what the person has set.
    if (!event->spontaneous())
        Pages->Load(Settings());
}

void TOptionsForm::StoreOptions() {
    TSettings& settings = Settings();
    const auto changed = [this](const char* name, bool stored) {
        return Pages->Flag(QString::fromLatin1(name))->isChecked() != stored;
    };
    // The diagram and the surface are drawn with the options they were built
    // with; these changes reach them only when they are built again.
    if (changed("CBNaturalX", settings.CBNaturalX) || changed("CBPoints2D", settings.CBPoints2D))
        ShowInfo("Изменения формата вступят в силу при следующем построении графика.");
    if (changed("CBNaturalXY", settings.CBNaturalXY))
        ShowInfo("Изменения формата меток вступят в силу при следующем построении поверхности.");
    Pages->Store(settings);
    if (OnAccepted)
        OnAccepted();
}

} // namespace orvanta
