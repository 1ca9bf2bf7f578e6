#pragma once

#include <QFileDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace orvanta {

// One entry of a file dialog's filter: the text the person reads and the
// patterns of the files it lists.
struct TFilterEntry {
    QString Text;
    QString Patterns;
};

// An entry that lists what its text names: "Рисунок PNG (*.png)" lists *.png.
TFilterEntry ShownFilterEntry(const QString& text);
// "Все файлы (*.*)", listing every file: Qt reads "*.*" as "names with a
// point", and the program itself writes files without one when the person
// saves under this entry.
TFilterEntry AllFilesEntry();

// The file the program will really read or write for the name the person
// confirmed with the filter entry `filterIndex` selected: the name with the
// default extension the program adds.
using TFinalPath = std::function<QString(const QString& chosen, int filterIndex)>;

// The path confirmed (as typed, the program adds its extension itself) and
// the filter entry selected.
struct TFileDialogChoice {
    QString Path;
    int FilterIndex = 0;
};

// The program's open and save dialogs. Opening accepts any name typed, with
// or without its extension: the program adds the default extension and
// reports a missing file with its own message. Saving asks before it
// replaces a file - the one the program will really write, whatever added its
// extension - with the program's own question; "Нет" returns to the dialog.
class TFileDialog : public QFileDialog {
    Q_OBJECT

public:
    TFileDialog(QWidget* parent, const QString& title, bool save);

    // Selects the first entry. (Qt cannot select another by its text once
    // the patterns are hidden: a person picks it in the list.)
    void SetFilters(const QList<TFilterEntry>& entries);
    // Without one the file is the path confirmed.
    void SetFinalPath(TFinalPath finalPath);
    // The entry selected now.
    int FilterIndex() const;

    // Shows the dialog; nullopt when the person cancels.
    std::optional<TFileDialogChoice> Run();

public slots:
    void accept() override;

private:
    // Asks "Заменить его?" when the file exists; false keeps the dialog open.
    bool MayWrite(const QString& chosen);

    TFinalPath FinalPath;
    QStringList EntryTexts;
};

} // namespace orvanta
