#include "dialogs/ResultCompleteForm.h"

#include "dialogs/NamedWidget.h"
#include "numeric/NumberText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

struct TFormText {
    const char* Name;
    const char* Caption;
    const char* Group;
    // Label and object name of each field, in order.
    std::vector<std::pair<const char*, const char*>> Fields;
};

const TFormText& TextOf(TResultFormKind kind) {
    static const TFormText texts[] = {
        {"CohrenCompleteForm",
         "Анализ однородности завершен.",
         " Результаты анализа однородности дисперсий: ",
         {{"Ошибка эксперимента:", "ESqrtDV"},
          {"Расчетное значение критерия Кохрена:", "ECH_R"},
          {"Табличное значение критерия Кохрена:", "ECH_T"},
          {"Результаты параллельных опытов:", "EResult"}}},
        {"StudentCompleteForm",
         "Регрессионный анализ завершен.",
         " Результаты регрессионного анализа: ",
         {{"Число значимых коэффициентов:", "EActualBSize"}}},
        {"FisherCompleteForm",
         "Анализ адекватности по критерию Фишера завершен.",
         " Результаты анализа адекватности модели: ",
         {{"Дисперсия адекватности:", "EDad"},
          {"Расчетное значение критерия Фишера:", "EFS_R"},
          {"Табличное значение критерия Фишера:", "EFS_T"},
          {"Выбранная модель:", "EResult"}}},
        {"CheckCompleteForm",
         "Анализ адекватности по контрольной точке завершен.",
         " Результаты анализа адекватности модели: ",
         {{"Дисперсия предсказания:", "EDfore"},
          {"Расчетное значение критерия Стьюдента:", "EST_R"},
          {"Табличное значение критерия Стьюдента:", "EST_T"},
          {"Выбранная модель:", "EResult"}}},
    };
    return texts[static_cast<int>(kind)];
}

QString Number(double value) {
    return QString::fromStdString(FormatFull(value));
}

} // namespace

TResultCompleteForm::TResultCompleteForm(TResultFormKind kind, QWidget* parent)
    : TSmallDialog(parent), FormKind(kind) {
    const TFormText& text = TextOf(kind);
    setObjectName(QString::fromLatin1(text.Name));
    setWindowTitle(QString::fromUtf8(text.Caption));

    Group = Named(new QGroupBox(QString::fromUtf8(text.Group), this), QStringLiteral("GroupBox"));
    new QFormLayout(Group);
    for (const auto& [label, name] : text.Fields)
        AddField(QString::fromUtf8(label), QString::fromLatin1(name));

    CBShowAlways = Named(new QCheckBox(QStringLiteral("Всегда показывать результаты"), this),
                         QStringLiteral("CBShowAlways"));
    CBActivateReport = Named(new QCheckBox(QStringLiteral("Обновить и показать отчет"), this),
                             QStringLiteral("CBActivateReport"));
    QHBoxLayout* buttons = OkRow(QStringLiteral("Ok"), OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group);
    layout->addWidget(CBShowAlways);
    layout->addWidget(CBActivateReport);
    layout->addLayout(buttons);
}

void TResultCompleteForm::AddField(const QString& label, const QString& name) {
    auto* field = Named(new QLineEdit(Group), name);
    field->setReadOnly(true);
    field->setMinimumWidth(160);
    static_cast<QFormLayout*>(Group->layout())->addRow(label, field);
    Fields.push_back(field);
}

void TResultCompleteForm::Fill(const TResultForm& form) {
    const QString verdict = QString::fromStdString(form.Verdict);
    if (FormKind == TResultFormKind::Student) {
        Fields[0]->setText(QString::number(form.SignificantCount));
    } else {
        Fields[0]->setText(Number(form.Measure));
        Fields[1]->setText(Number(form.Computed));
        Fields[2]->setText(Number(form.Table));
        Fields[3]->setText(verdict);
    }
    for (QLineEdit* field : Fields)
        field->setCursorPosition(0);
    CBShowAlways->setChecked(form.ShowAlways);
    CBActivateReport->setChecked(form.ActivateReport);
}

TResultFormChoices TResultCompleteForm::Run(const TResultForm& form) {
    Fill(form);
    OkButton->setFocus();
    exec();
    // Whether closed by "Ok", Enter, Esc or the frame: the boxes count as left.
    return {CBShowAlways->isChecked(), CBActivateReport->isChecked()};
}

} // namespace orvanta
