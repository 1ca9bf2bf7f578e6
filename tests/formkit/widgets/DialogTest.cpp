// Dialogs built from templates: where their controls land, how they are
// reached by id, and which buttons close them.
#include "formkit/Dialog.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

// The simplex-lattice dialog of the planar simplex plug-in.
TDialogTemplate LatticeTemplate() {
    using K = TControlKind;
    return {"Расчет значений на симплекс-решетке",
            210,
            85,
            {{IDC_STATIC, K::GroupBox, "Решетка", 7, 7, 196, 28},
             {IDC_STATIC, K::Static, "Делений", 15, 18},
             {1000, K::Edit, "5", 60, 15, 137, 14},
             {IDC_STATIC, K::Static, "Файл", 15, 44},
             {1002, K::Edit, "РешеткаСимплекса.csv", 40, 41, 109, 14},
             {1001, K::Button, "Выбор ...", 153, 41, 50, 14},
             {1008, K::Button, "OK", 7, 64, 50, 14},
             {1009, K::Button, "Отмена", 153, 64, 50, 14}}};
}

class TProbeDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<void(TProbeDialog&)> OnInit;
    std::vector<int> Commands;

    QDialog* Window() const { return static_cast<QDialog*>(Handle()); }

protected:
    void OnInitDialog() override {
        if (OnInit)
            OnInit(*this);
    }
    void OnCommand(int id) override {
        Commands.push_back(id);
        CDialog::OnCommand(id);
    }
};

// Pixels of dialog units as the platform's dialog manager computes them:
// MulDiv(units, base, 4) across, MulDiv(units, height, 8) down.
QRect Expected(const QFont& font, int x, int y, int cx, int cy) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int base = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    const auto across = [&](int units) { return int(std::lround(units * base / 4.0)); };
    const auto down = [&](int units) { return int(std::lround(units * metrics.height() / 8.0)); };
    return {across(x), down(y), across(cx), down(cy)};
}

} // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void ControlsLandAtTheirDialogUnits_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("units");
        QTest::newRow("divisions") << 1000 << QRect(60, 15, 137, 14);
        QTest::newRow("file") << 1002 << QRect(40, 41, 109, 14);
        QTest::newRow("choose") << 1001 << QRect(153, 41, 50, 14);
        QTest::newRow("cancel") << 1009 << QRect(153, 64, 50, 14);
    }
    void ControlsLandAtTheirDialogUnits() {
        QFETCH(int, id);
        QFETCH(QRect, units);
        TProbeDialog dialog(LatticeTemplate());
        QRect geometry;
        QRect expected;
        dialog.OnInit = [&](TProbeDialog& self) {
            auto* widget = static_cast<QWidget*>(self.Control(id)->Handle());
            geometry = widget->geometry();
            expected = Expected(self.Window()->font(), units.x(), units.y(), units.width(),
                                units.height());
            self.EndDialog(1);
        };
        QCOMPARE(dialog.DoModal(nullptr), 1);
        QCOMPARE(geometry, expected);
    }

    void DialogTakesItsTemplateSizeCaptionAndFont() {
        TProbeDialog dialog(LatticeTemplate());
        dialog.OnInit = [](TProbeDialog& self) {
            self.EndDialog(5);
            QDialog* window = self.Window();
            QCOMPARE(window->windowTitle(), QStringLiteral("Расчет значений на симплекс-решетке"));
            QCOMPARE(window->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(window->font().pointSize(), 8);
            QCOMPARE(window->size(), Expected(window->font(), 0, 0, 210, 85).size());
            // A label without a size starts at its place and is as wide as its text.
            auto* label = window->findChildren<QLabel*>().value(0);
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("Делений"));
            QCOMPARE(label->pos(), Expected(window->font(), 15, 18, 0, 0).topLeft());
            QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(label->text()));
            // The frame stays behind the controls drawn on it.
            auto* group = window->findChild<QGroupBox*>();
            QCOMPARE(group->title(), QStringLiteral("Решетка"));
            QCOMPARE(window->children().indexOf(group), 0);
        };
        QCOMPARE(dialog.DoModal(nullptr), 5);
    }

    void ControlsAnswerByTheirIds() {
        TProbeDialog dialog(LatticeTemplate());
        dialog.OnInit = [](TProbeDialog& self) {
            self.EndDialog(1);
            QCOMPARE(self.GetItemText(1000), std::string("5"));
            QCOMPARE(self.GetItemText(1002), std::string("РешеткаСимплекса.csv"));
            QCOMPARE(self.Control(1009)->GetText(), std::string("Отмена"));
            QCOMPARE(self.Control(IDC_STATIC), nullptr);
            QCOMPARE(self.Control(4711), nullptr);
            QCOMPARE(self.Button(1000), nullptr);
            QVERIFY(self.Button(1001));
            self.SetItemText(1002, "Сетка 2.csv");
            QCOMPARE(self.GetItemText(1002), std::string("Сетка 2.csv"));
            QCOMPARE(self.Window()->findChild<QLineEdit*>(QStringLiteral("Control1002"))->text(),
                     QStringLiteral("Сетка 2.csv"));
            self.EnableItem(1001, false);
            QVERIFY(!self.Control(1001)->IsEnabled());
            self.Control(1000)->Show(false);
            QVERIFY(!self.Control(1000)->IsVisible());
            QVERIFY(self.Control(1002)->IsVisible());
        };
        dialog.DoModal(nullptr);
        // The window and its controls are gone once the dialog returned.
        QCOMPARE(dialog.Handle(), nullptr);
        QCOMPARE(dialog.Control(1000), nullptr);
    }

    void MultiLineFieldKeepsItsLineBreaks() {
        TProbeDialog dialog(
            {"Экстремум", 216, 165, {{1005, TControlKind::MultiLineEdit, "", 16, 82, 184, 50}}});
        dialog.OnInit = [](TProbeDialog& self) {
            self.EndDialog(1);
            const std::string text = "Координаты точки минимума:\r\n1.000000\r\n0.000000\r\n"
                                     "0.000000\r\nЗначение: 2.500000";
            self.SetItemText(1005, text);
            auto* memo = self.Window()->findChild<QPlainTextEdit*>();
            QCOMPARE(memo->blockCount(), 5);
            QCOMPARE(self.GetItemText(1005), text);
        };
        dialog.DoModal(nullptr);
    }

    void ButtonsCloseByTheirText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK") << QStringLiteral("OK") << true;
        QTest::newRow("cancel") << QStringLiteral("Отмена") << true;
        QTest::newRow("close") << QStringLiteral("Закрыть") << true;
        QTest::newRow("find") << QStringLiteral("Найти") << false;
        QTest::newRow("choose") << QStringLiteral("Выбор ...") << false;
        QTest::newRow("cancel, other case") << QStringLiteral("отмена") << false;
    }
    void ButtonsCloseByTheirText() {
        QFETCH(QString, text);
        QFETCH(bool, closes);
        TProbeDialog dialog({"Проба",
                             100,
                             40,
                             {{1006, TControlKind::Button, text.toStdString(), 8, 20, 40, 14},
                              {1000, TControlKind::Edit, "5", 8, 4, 80, 14}}});
        bool stayedOpen = false;
        dialog.OnInit = [&](TProbeDialog& self) {
            QTimer::singleShot(0, self.Window(), [&self] {
                auto* button =
                    self.Window()->findChild<QPushButton*>(QStringLiteral("Control1006"));
                QTest::mouseClick(button, Qt::LeftButton);
            });
            QTimer::singleShot(50, self.Window(), [&] {
                stayedOpen = self.Window()->isVisible();
                self.EndDialog(77);
            });
        };
        QCOMPARE(dialog.DoModal(nullptr), closes ? 1006 : 77);
        QCOMPARE(stayedOpen, !closes);
        QCOMPARE(dialog.Commands.front(), 1006);
    }

    void EscapePressesTheCancelButton_data() {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("result");
        QTest::newRow("cancel") << QStringLiteral("Отмена") << 1012;
        QTest::newRow("close") << QStringLiteral("Закрыть") << 1012;
        QTest::newRow("none") << QStringLiteral("Экстремум") << IDCANCEL;
    }
    void EscapePressesTheCancelButton() {
        QFETCH(QString, second);
        QFETCH(int, result);
        TProbeDialog dialog(
            {"Коэффициент кривизны",
             213,
             109,
             {{1011, TControlKind::Button, "Расчет", 81, 88, 50, 14},
              {1012, TControlKind::Button, second.toStdString(), 155, 88, 50, 14}}});
        dialog.OnInit = [](TProbeDialog& self) {
            QTimer::singleShot(0, self.Window(),
                               [&self] { QTest::keyClick(self.Window(), Qt::Key_Escape); });
            QTimer::singleShot(500, self.Window(), [&self] { self.EndDialog(-5); });
        };
        QCOMPARE(dialog.DoModal(nullptr), result);
        QCOMPARE(dialog.Commands, result == IDCANCEL ? std::vector<int>{} : std::vector<int>{1012});
    }

    void DialogIsOwnedByTheGivenWindow() {
        QWidget mainWindow;
        mainWindow.show();
        TProbeDialog dialog(LatticeTemplate());
        QWidget* modal = nullptr;
        QWidget* parent = nullptr;
        QWidget* shown = nullptr;
        dialog.OnInit = [&](TProbeDialog& self) {
            QTimer::singleShot(0, self.Window(), [&] {
                modal = QApplication::activeModalWidget();
                parent = self.Window()->parentWidget();
                shown = self.Window();
                self.Button(1008)->Click();
            });
        };
        QCOMPARE(dialog.DoModal(&mainWindow), 1008);
        QVERIFY(modal && modal == shown);
        QCOMPARE(parent, &mainWindow);
        QVERIFY(mainWindow.findChildren<QDialog*>().isEmpty());
    }

    void RadioButtonsInARowAreOneChoice() {
        using K = TControlKind;
        TProbeDialog dialog({"Выбор",
                             100,
                             100,
                             {{1003, K::RadioButton, "Минимум", 8, 8},
                              {1004, K::RadioButton, "Максимум", 8, 20},
                              {IDC_STATIC, K::GroupBox, "Вид", 4, 34, 90, 40},
                              {1010, K::RadioButton, "Линия", 8, 44},
                              {1011, K::RadioButton, "Точки", 8, 56}}});
        dialog.OnInit = [](TProbeDialog& self) {
            self.EndDialog(1);
            self.CheckItem(1003);
            self.CheckItem(1010);
            self.Button(1004)->Click();
            QVERIFY(!self.IsChecked(1003));
            QVERIFY(self.IsChecked(1004));
            QVERIFY(self.IsChecked(1010));
            self.CheckItem(1004, false);
            QVERIFY(!self.IsChecked(1004));
        };
        dialog.DoModal(nullptr);
        QCOMPARE(dialog.Commands, std::vector<int>{1004});
    }
};

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
