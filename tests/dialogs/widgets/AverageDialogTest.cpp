// "Средние значения": the run numbers and the mean responses, fifteen
// significant digits with the program's decimal separator.
#include "dialogs/AverageDialog.h"

#include "DialogScript.h"
#include "numeric/NumberText.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>

using namespace orvanta;

namespace {

using TMeans = std::vector<double>;

QStringList Row(const QTableWidget& grid, int row) {
    QStringList texts;
    for (int column = 0; column < grid.columnCount(); ++column)
        texts << (grid.item(row, column) ? grid.item(row, column)->text()
                                         : QStringLiteral("<none>"));
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TMeans)

class AverageDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAverageDialog> Form;
    char Separator = '.';

    void Run(const TMeans& means, std::function<void()> script) {
        RunScripted(*Form, std::move(script), [&] {
            Form->Run(means);
            return 0;
        });
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        Separator = GetDecimalSeparator();
    }
    void cleanupTestCase() { SetDecimalSeparator(Separator); }
    void init() { Form = std::make_unique<TAverageDialog>(); }
    void cleanup() { Form.reset(); }
    void meansInTheGrid_data();
    void meansInTheGrid();
    void shorterPlanLeavesNothingBehind();
};

// The expected texts are written out by hand from printf's "%.15g".
void AverageDialogTest::meansInTheGrid_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<TMeans>("means");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("thirds, comma")
        << ',' << TMeans{1.0 / 3.0, 2.0 / 3.0, 10.0 / 3.0}
        << QStringList{QStringLiteral("0,333333333333333"), QStringLiteral("0,666666666666667"),
                       QStringLiteral("3,33333333333333")};
    QTest::newRow("thirds, point")
        << '.' << TMeans{1.0 / 3.0} << QStringList{QStringLiteral("0.333333333333333")};
    QTest::newRow("whole and signed")
        << ',' << TMeans{2.0, -7.5, 0.0, 12345678.9}
        << QStringList{QStringLiteral("2"), QStringLiteral("-7,5"), QStringLiteral("0"),
                       QStringLiteral("12345678,9")};
    QTest::newRow("exponents") << ',' << TMeans{1e-20, 1.5e15, 123456789012345678.0}
                               << QStringList{QStringLiteral("1e-20"), QStringLiteral("1,5e+15"),
                                              QStringLiteral("1,23456789012346e+17")};
}

void AverageDialogTest::meansInTheGrid() {
    QFETCH(char, separator);
    QFETCH(TMeans, means);
    QFETCH(QStringList, shown);
    SetDecimalSeparator(separator);
    QCOMPARE(Form->objectName(), QStringLiteral("AverageDialog"));
    Run(means, [&] {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Средние значения"));
        QCOMPARE(Form->GBAverage->title(), QStringLiteral(" Средние значения откликов "));
        const QTableWidget& grid = *Form->SGAverage;
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.columnCount(), static_cast<int>(means.size()));
        QStringList numbers;
        for (std::size_t i = 1; i <= means.size(); ++i)
            numbers << QString::number(i);
        QCOMPARE(Row(grid, 0), numbers);
        QCOMPARE(Row(grid, 1), shown);
        for (int column = 0; column < grid.columnCount(); ++column)
            QCOMPARE(grid.columnWidth(column), 80);
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        Form->OkButton->click();
    });
}

void AverageDialogTest::shorterPlanLeavesNothingBehind() {
    SetDecimalSeparator(',');
    Run(TMeans(12, 4.25), [&] { Form->OkButton->click(); });
    Run(TMeans{1.0, 2.0}, [&] {
        QCOMPARE(Form->SGAverage->columnCount(), 2);
        QCOMPARE(Row(*Form->SGAverage, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(Row(*Form->SGAverage, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        Form->OkButton->click();
    });
}

QTEST_MAIN(AverageDialogTest)
#include "AverageDialogTest.moc"
