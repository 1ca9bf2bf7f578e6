#include "FakePlanService.h"

#include "numeric/Cp1251.h"

#include <orvanta/plugin.h>

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <dlfcn.h>

#include <string>
#include <vector>

using orvanta::Utf8ToCp1251;
using orvanta::test::TFakePlanService;

namespace {

// What the registration callback saw, and how many tools it still accepts.
std::vector<OrvTool*> Registered;
int Room = 256;

int32_t Register(OrvTool* tool) {
    if (Room == 0)
        return 0;
    --Room;
    Registered.push_back(tool);
    return 1;
}

struct TModule {
    void* Handle = nullptr;
    OrvPlugInsEnumerateFn Enumerate = nullptr;
    OrvSetMainServerFn SetServer = nullptr;
    OrvGetMainServerFn GetServer = nullptr;
};

TModule Open(const char* name) {
    TModule module;
    const std::string path = std::string(ORVAN_PLUGINS_DIR) + "/" + name;
    module.Handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module.Handle)
        return module;
    module.Enumerate =
        reinterpret_cast<OrvPlugInsEnumerateFn>(dlsym(module.Handle, "PlugInsEnumerate"));
    module.SetServer = reinterpret_cast<OrvSetMainServerFn>(dlsym(module.Handle, "SetMainServer"));
    module.GetServer = reinterpret_cast<OrvGetMainServerFn>(dlsym(module.Handle, "GetMainServer"));
    return module;
}

} // namespace

class PlugInModulesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Registered.clear();
        Room = 256;
    }

    void enumeratesItsTools_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("room");
        QTest::addColumn<QStringList>("names");
        const QString lattice = QStringLiteral("Сетка плоского симплекса");
        const QString extremum = QStringLiteral("Экстремум плоского симплекса");
        const QString curvature = QStringLiteral("Кривизна реологической кривой");
        QTest::newRow("trilattice")
            << QStringLiteral("trilattice.so") << 256 << QStringList{lattice, extremum};
        // The extremum tool is offered only when the lattice tool was taken.
        QTest::newRow("trilatticeFull") << QStringLiteral("trilattice.so") << 0 << QStringList{};
        QTest::newRow("trilatticeOneLeft")
            << QStringLiteral("trilattice.so") << 1 << QStringList{lattice};
        QTest::newRow("rheobend") << QStringLiteral("rheobend.so") << 256 << QStringList{curvature};
    }

    void enumeratesItsTools() {
        QFETCH(QString, file);
        QFETCH(int, room);
        QFETCH(QStringList, names);
        const TModule module = Open(file.toStdString().c_str());
        QVERIFY2(module.Handle, dlerror());
        QVERIFY(module.Enumerate && module.SetServer && module.GetServer);
        Room = room;
        QCOMPARE(module.Enumerate(&Register), 1);
        QCOMPARE(int(Registered.size()), int(names.size()));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(std::string(Registered[i]->Table->GetName(Registered[i])),
                     Utf8ToCp1251(names[i].toStdString()));
    }

    void asksThePlanItWasHanded_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("modelName");
        QTest::addColumn<int>("factors");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("scheffe") << QStringLiteral("trilattice.so")
                                 << QStringLiteral("Полином Шеффе неполный кубический") << 3
                                 << true;
        QTest::newRow("polynomial")
            << QStringLiteral("trilattice.so") << QStringLiteral("Полином") << 3 << false;
        QTest::newRow("linearExp")
            << QStringLiteral("rheobend.so")
            << QStringLiteral("Сумма линейной функции и экспоненты") << 1 << true;
        QTest::newRow("linearExpLonger")
            << QStringLiteral("rheobend.so")
            << QStringLiteral("Сумма линейной функции и экспоненты ") << 1 << false;
    }

    void asksThePlanItWasHanded() {
        QFETCH(QString, file);
        QFETCH(QString, modelName);
        QFETCH(int, factors);
        QFETCH(bool, enabled);
        const TModule module = Open(file.toStdString().c_str());
        QVERIFY2(module.Handle, dlerror());
        module.Enumerate(&Register);
        QVERIFY(!Registered.empty());
        TFakePlanService fake;
        fake.Factors = factors;
        fake.ModelNameBytes = Utf8ToCp1251(modelName.toStdString());
        fake.Coefficients = {0.0, 1.0, 1.0};
        // Before the plan is handed over no tool is usable.
        QCOMPARE(module.SetServer(nullptr), nullptr);
        for (OrvTool* tool : Registered)
            QCOMPARE(tool->Table->IsEnabled(tool), 0);
        QCOMPARE(module.SetServer(fake.Service()), fake.Service());
        QCOMPARE(module.GetServer(), fake.Service());
        for (OrvTool* tool : Registered)
            QCOMPARE(tool->Table->IsEnabled(tool) != 0, enabled);
        module.SetServer(nullptr);
    }

    // Run shows the tool's own dialog over the host's application; Escape
    // (its "Отмена" or "Закрыть") ends it.
    void runsItsDialog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("caption");
        QTest::newRow("lattice") << QStringLiteral("trilattice.so") << 0
                                 << QStringLiteral("Расчет значений на симплекс-решетке");
        QTest::newRow("extremum") << QStringLiteral("trilattice.so") << 1
                                  << QStringLiteral("Экстремум на симплекс-решетке");
        QTest::newRow("curvature")
            << QStringLiteral("rheobend.so") << 0 << QStringLiteral("Коэффициент кривизны");
    }

    void runsItsDialog() {
        QFETCH(QString, file);
        QFETCH(int, tool);
        QFETCH(QString, caption);
        const TModule module = Open(file.toStdString().c_str());
        QVERIFY2(module.Handle, dlerror());
        module.Enumerate(&Register);
        QVERIFY(tool < int(Registered.size()));
        TFakePlanService fake;
        module.SetServer(fake.Service());
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            shown = dialog->windowTitle();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Registered[tool]->Table->Run(Registered[tool]);
        module.SetServer(nullptr);
        QCOMPARE(shown, caption);
    }
};

QTEST_MAIN(PlugInModulesTest)
#include "PlugInModulesTest.moc"
