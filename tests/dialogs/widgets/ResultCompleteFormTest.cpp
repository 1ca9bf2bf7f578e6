// The four forms that close an analysis step: their captions and fields,
// the numbers in fifteen significant digits, and the two check boxes coming
// back however the form is closed.
#include "dialogs/ResultCompleteForm.h"

#include "DialogScript.h"
#include "numeric/NumberText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

Q_DECLARE_METATYPE(TResultFormKind)

class ResultCompleteFormTest : public QObject {
    Q_OBJECT

    char Separator = '.';

    static QStringList Labels(const TResultCompleteForm& form) {
        QStringList labels;
        auto* layout = static_cast<QFormLayout*>(form.Group->layout());
        for (int row = 0; row < layout->rowCount(); ++row)
            labels << static_cast<QLabel*>(layout->itemAt(row, QFormLayout::LabelRole)->widget())
                          ->text();
        return labels;
    }
    static QStringList Texts(const TResultCompleteForm& form) {
        QStringList texts;
        for (const QLineEdit* field : form.Fields)
            texts << field->objectName() + QLatin1Char('=') + field->text();
        return texts;
    }

private slots:
    void initTestCase() {
        Separator = GetDecimalSeparator();
        SetDecimalSeparator(',');
    }
    void cleanupTestCase() { SetDecimalSeparator(Separator); }

    void FormsShowTheirResults_data() {
        QTest::addColumn<TResultFormKind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("texts");
        struct TRow {
            TResultFormKind Kind;
            const char* Name;
            const char* Caption;
            std::vector<const char*> Labels;
            std::vector<const char*> Texts;
        };
        // The numbers are written out by hand from printf's "%.15g" with a
        // decimal comma.
        const TRow rows[] = {
            {TResultFormKind::Cochran,
             "CohrenCompleteForm",
             "Анализ однородности завершен.",
             {"Ошибка эксперимента:", "Расчетное значение критерия Кохрена:",
              "Табличное значение критерия Кохрена:", "Результаты параллельных опытов:"},
             {"ESqrtDV=0,316227766016838", "ECH_R=0,4375", "ECH_T=0,5157", "EResult=Однородны."}},
            {TResultFormKind::Student,
             "StudentCompleteForm",
             "Регрессионный анализ завершен.",
             {"Число значимых коэффициентов:"},
             {"EActualBSize=5"}},
            {TResultFormKind::Fisher,
             "FisherCompleteForm",
             "Анализ адекватности по критерию Фишера завершен.",
             {"Дисперсия адекватности:", "Расчетное значение критерия Фишера:",
              "Табличное значение критерия Фишера:", "Выбранная модель:"},
             {"EDad=0,316227766016838", "EFS_R=0,4375", "EFS_T=0,5157",
              "EResult=Адекватна системе."}},
            {TResultFormKind::CheckPoint,
             "CheckCompleteForm",
             "Анализ адекватности по контрольной точке завершен.",
             {"Дисперсия предсказания:", "Расчетное значение критерия Стьюдента:",
              "Табличное значение критерия Стьюдента:", "Выбранная модель:"},
             {"EDfore=0,316227766016838", "EST_R=0,4375", "EST_T=0,5157",
              "EResult=Адекватна системе."}},
        };
        const auto list = [](const std::vector<const char*>& texts) {
            QStringList result;
            for (const char* text : texts)
                result << QString::fromUtf8(text);
            return result;
        };
        for (const TRow& row : rows)
            QTest::newRow(row.Name)
                << row.Kind << QString::fromLatin1(row.Name) << QString::fromUtf8(row.Caption)
                << list(row.Labels) << list(row.Texts);
    }

    void FormsShowTheirResults() {
        QFETCH(TResultFormKind, kind);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, texts);
        TResultCompleteForm form(kind);
        QCOMPARE(form.objectName(), name);
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(Labels(form), labels);
        TResultForm result;
        result.Kind = kind;
        result.Measure = std::sqrt(0.1);
        result.Computed = 0.4375;
        result.Table = 0.5157;
        result.SignificantCount = 5;
        result.Verdict = kind == TResultFormKind::Cochran ? "Однородны." : "Адекватна системе.";
        RunScripted(
            form,
            [&] {
                QCOMPARE(Texts(form), texts);
                for (QLineEdit* field : form.Fields)
                    QVERIFY(field->isReadOnly());
                form.OkButton->click();
            },
            [&] { return form.Run(result); });
    }

    // The person may switch the form and the report off from the form
    // itself; Esc and the frame's close count as much as "Ok".
    void CheckBoxesComeBack_data() {
        QTest::addColumn<bool>("showAlways");
        QTest::addColumn<bool>("activate");
        QTest::addColumn<bool>("clickShow");
        QTest::addColumn<bool>("clickActivate");
        QTest::addColumn<int>("closing"); // 0 Ok, 1 Esc, 2 frame
        QTest::newRow("left alone") << true << false << false << false << 0;
        QTest::newRow("both switched, Ok") << true << false << true << true << 0;
        QTest::newRow("report switched off, Esc") << true << true << false << true << 1;
        QTest::newRow("form switched on, frame") << false << false << true << false << 2;
    }

    void CheckBoxesComeBack() {
        QFETCH(bool, showAlways);
        QFETCH(bool, activate);
        QFETCH(bool, clickShow);
        QFETCH(bool, clickActivate);
        QFETCH(int, closing);
        TResultCompleteForm form(TResultFormKind::Fisher);
        TResultForm result;
        result.Kind = TResultFormKind::Fisher;
        result.ShowAlways = showAlways;
        result.ActivateReport = activate;
        const TResultFormChoices choices = RunScripted(
            form,
            [&] {
                QCOMPARE(form.CBShowAlways->isChecked(), showAlways);
                QCOMPARE(form.CBActivateReport->isChecked(), activate);
                if (clickShow)
                    form.CBShowAlways->click();
                if (clickActivate)
                    form.CBActivateReport->click();
                if (closing == 0)
                    QTest::keyClick(&form, Qt::Key_Return);
                else if (closing == 1)
                    QTest::keyClick(&form, Qt::Key_Escape);
                else
                    form.close();
            },
            [&] { return form.Run(result); });
        QCOMPARE(choices.ShowAlways, showAlways != clickShow);
        QCOMPARE(choices.ActivateReport, activate != clickActivate);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(ResultCompleteFormTest)
#include "ResultCompleteFormTest.moc"
