// "Экстремум": the point of the extremum in coded units, factor by factor,
// and the model's value there, fifteen significant digits.
#include "dialogs/ExtremumResultDialog.h"

#include "DialogScript.h"
#include "numeric/NumberText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace orvanta;

namespace {

using TPoint = std::vector<double>;

QStringList Column(const QTableWidget& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row)
        texts << (grid.item(row, column) ? grid.item(row, column)->text()
                                         : QStringLiteral("<none>"));
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TPoint)

class ExtremumResultDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TExtremumResultDialog> Form;
    char Separator = '.';

    void Run(const TPoint& point, double value, std::function<void()> script) {
        RunScripted(*Form, std::move(script), [&] {
            Form->Run(point, value);
            return 0;
        });
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        Separator = GetDecimalSeparator();
        SetDecimalSeparator(',');
    }
    void cleanupTestCase() { SetDecimalSeparator(Separator); }
    void init() { Form = std::make_unique<TExtremumResultDialog>(); }
    void cleanup() { Form.reset(); }
    void pointAndValue_data();
    void pointAndValue();
};

// The expected texts are written out by hand from printf's "%.15g".
void ExtremumResultDialogTest::pointAndValue_data() {
    QTest::addColumn<TPoint>("point");
    QTest::addColumn<double>("value");
    QTest::addColumn<QStringList>("coordinates");
    QTest::addColumn<QString>("shownValue");
    QTest::newRow("three factors") << TPoint{0.5, -1.0, 1.0 / 3.0} << -2.25
                                   << QStringList{QStringLiteral("0,5"), QStringLiteral("-1"),
                                                  QStringLiteral("0,333333333333333")}
                                   << QStringLiteral("-2,25");
    QTest::newRow("one factor, grid point")
        << TPoint{-0.999} << 1e-17 << QStringList{QStringLiteral("-0,999")}
        << QStringLiteral("1e-17");
    QTest::newRow("large value") << TPoint{0.0, 0.001} << 98765432.123456789
                                 << QStringList{QStringLiteral("0"), QStringLiteral("0,001")}
                                 << QStringLiteral("98765432,1234568");
}

void ExtremumResultDialogTest::pointAndValue() {
    QFETCH(TPoint, point);
    QFETCH(double, value);
    QFETCH(QStringList, coordinates);
    QFETCH(QString, shownValue);
    // A dialog shown before with more factors keeps none of them.
    Run(TPoint(5, 0.125), 1.0, [&] { Form->OkButton->click(); });
    QCOMPARE(Form->objectName(), QStringLiteral("ExtremumResultDialog"));
    Run(point, value, [&] {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Экстремум"));
        QCOMPARE(Form->GBPoint->title(),
                 QStringLiteral(" Координаты точки экстремума в кодовом пространстве "));
        QCOMPARE(Form->GBValue->title(), QStringLiteral(" Значение модели в точке экстремума "));
        QStringList numbers;
        for (std::size_t i = 1; i <= point.size(); ++i)
            numbers << QString::number(i);
        QCOMPARE(Form->SGPoint->rowCount(), static_cast<int>(point.size()));
        QCOMPARE(Column(*Form->SGPoint, 0), numbers);
        QCOMPARE(Column(*Form->SGPoint, 1), coordinates);
        QCOMPARE(Form->EValue->text(), shownValue);
        QTest::keyClick(Form.get(), Qt::Key_Return);
    });
}

QTEST_MAIN(ExtremumResultDialogTest)
#include "ExtremumResultDialogTest.moc"
