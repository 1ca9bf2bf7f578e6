#include "designwindows/AugmentDialog.h"

#include "dialogs/NamedWidget.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <tuple>

namespace orvanta {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The fields of one way, indented under its button.
QFormLayout* FieldsLayout(QWidget* box) {
    auto* form = new QFormLayout(box);
    form->setContentsMargins(24, 0, 0, 0);
    return form;
}

QLabel* ReasonLabel(QWidget* parent, const QString& name) {
    auto* label = Named(new QLabel(parent), name);
    label->setWordWrap(true);
    label->setContentsMargins(24, 0, 0, 0);
    label->setStyleSheet(QStringLiteral("color: #a00000"));
    return label;
}

} // namespace

TAugmentDialog::TAugmentDialog(TRaruRuro& plan, QWidget* parent)
    : TSmallDialog(parent), Plan(plan) {
    setObjectName(QStringLiteral("AugmentDialog"));
    setWindowTitle(QStringLiteral("Дополнить план"));
    auto* intro = new QLabel(
        QStringLiteral("План: N = %1, k = %2, слагаемых модели %3. Опыты и отклики плана "
                       "сохраняются; отклики новых опытов равны 0.")
            .arg(plan.CodeMatrix.RowCount())
            .arg(plan.FactorCount)
            .arg(plan.TermCount()),
        this);
    intro->setWordWrap(true);
    RBFoldOver = Named(new QRadioButton(QStringLiteral("Зеркальное дополнение (fold-over)"), this),
                       QStringLiteral("RBFoldOver"));
    RBAxial = Named(new QRadioButton(QStringLiteral("До центрального композиционного плана"), this),
                    QStringLiteral("RBAxial"));
    RBDOptimal = Named(new QRadioButton(QStringLiteral("D-оптимальные опыты"), this),
                       QStringLiteral("RBDOptimal"));
    LFoldOverReason = ReasonLabel(this, QStringLiteral("LFoldOverReason"));
    LAxialReason = ReasonLabel(this, QStringLiteral("LAxialReason"));
    LDOptimalReason = ReasonLabel(this, QStringLiteral("LDOptimalReason"));
    FoldOverBox = FoldOverFields();
    AxialBox = AxialFields();
    DOptimalBox = DOptimalFields();

    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("OK"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    for (auto [choice, box, reason] : {std::tuple{RBFoldOver, FoldOverBox, LFoldOverReason},
                                       std::tuple{RBAxial, AxialBox, LAxialReason},
                                       std::tuple{RBDOptimal, DOptimalBox, LDOptimalReason}}) {
        layout->addWidget(choice);
        layout->addWidget(box);
        layout->addWidget(reason);
        connect(choice, &QRadioButton::toggled, this, &TAugmentDialog::FollowChoice);
    }
    layout->addLayout(buttons);
    Offer(RBFoldOver, FoldOverBox, LFoldOverReason, TAugmentKind::FoldOver);
    Offer(RBAxial, AxialBox, LAxialReason, TAugmentKind::Axial);
    Offer(RBDOptimal, DOptimalBox, LDOptimalReason, TAugmentKind::DOptimal);
    for (QRadioButton* choice : {RBFoldOver, RBAxial, RBDOptimal})
        if (choice->isEnabled()) {
            choice->setChecked(true);
            break;
        }
    OkButton->setEnabled(RBFoldOver->isChecked() || RBAxial->isChecked() ||
                         RBDOptimal->isChecked());
    FollowChoice();
}

QWidget* TAugmentDialog::FoldOverFields() {
    auto* box = new QWidget(this);
    CBFoldFactor = Named(new QComboBox(box), QStringLiteral("CBFoldFactor"));
    CBFoldFactor->addItem(QStringLiteral("всех факторов"));
    for (std::int32_t j = 0; j < Plan.FactorCount; ++j) {
        const std::string name = std::size_t(j) < Plan.FactorNames.size()
                                     ? Plan.FactorNames[std::size_t(j)]
                                     : "Фактор № " + IntToStr(j + 1);
        CBFoldFactor->addItem(QStringLiteral("x%1: %2").arg(j + 1).arg(Text(name)));
    }
    FieldsLayout(box)->addRow(QStringLiteral("Сменить знак:"), CBFoldFactor);
    return box;
}

QWidget* TAugmentDialog::AxialFields() {
    auto* box = new QWidget(this);
    EAlpha = Named(new QLineEdit(Text(FormatGeneral(RotatableAlpha(Plan), 6)), box),
                   QStringLiteral("EAlpha"));
    SECentre = Named(new QSpinBox(box), QStringLiteral("SECentre"));
    SECentre->setRange(0, 1000);
    SECentre->setValue(1);
    QFormLayout* form = FieldsLayout(box);
    form->addRow(QStringLiteral("Звездное плечо (ротатабельное %1):")
                     .arg(Text(FormatGeneral(RotatableAlpha(Plan), 6))),
                 EAlpha);
    form->addRow(QStringLiteral("Центральных опытов:"), SECentre);
    return box;
}

QWidget* TAugmentDialog::DOptimalFields() {
    auto* box = new QWidget(this);
    SERuns = Named(new QSpinBox(box), QStringLiteral("SERuns"));
    SERuns->setRange(1, 100000);
    SERuns->setValue(std::max(1, Plan.TermCount()));
    SESeed = Named(new QSpinBox(box), QStringLiteral("SESeed"));
    SESeed->setRange(0, std::numeric_limits<int>::max());
    SESeed->setValue(1);
    QFormLayout* form = FieldsLayout(box);
    form->addRow(QStringLiteral("Добавить опытов:"), SERuns);
    form->addRow(QStringLiteral("Начальное число:"), SESeed);
    return box;
}

void TAugmentDialog::Offer(QRadioButton* choice, QWidget* fields, QLabel* reason,
                           TAugmentKind kind) {
    const std::string refusal = AugmentRefusal(Plan, kind);
    choice->setEnabled(refusal.empty());
    fields->setEnabled(refusal.empty());
    reason->setText(Text(refusal));
    reason->setVisible(!refusal.empty());
}

void TAugmentDialog::FollowChoice() {
    FoldOverBox->setEnabled(RBFoldOver->isChecked());
    AxialBox->setEnabled(RBAxial->isChecked());
    DOptimalBox->setEnabled(RBDOptimal->isChecked());
}

TAugmentRequest TAugmentDialog::Request() const {
    TAugmentRequest request;
    if (RBAxial->isChecked()) {
        request.Kind = TAugmentKind::Axial;
        request.Centre = SECentre->value();
    } else if (RBDOptimal->isChecked()) {
        request.Kind = TAugmentKind::DOptimal;
        request.Runs = SERuns->value();
        request.Seed = static_cast<std::uint32_t>(SESeed->value());
    } else {
        request.Factor = CBFoldFactor->currentIndex();
    }
    return request;
}

bool TAugmentDialog::Validate() {
    TAugmentRequest request = Request();
    // The rotatable arm as shown is rounded: left as it is, the exact one.
    if (request.Kind == TAugmentKind::Axial &&
        EAlpha->text() != Text(FormatGeneral(RotatableAlpha(Plan), 6))) {
        double alpha = 0.0;
        if (!TextToFloat(EAlpha->text().toStdString(), alpha) || !(alpha > 0.0)) {
            ShowWarning("В поле \"Звездное плечо\" должно быть число больше 0.");
            EAlpha->setFocus();
            return false;
        }
        request.Alpha = alpha;
    }
    std::string message;
    if (!AugmentPlan(Plan, request, message)) {
        ShowWarning("Дополнение плана невозможно: " + message);
        return false;
    }
    return true;
}

} // namespace orvanta
