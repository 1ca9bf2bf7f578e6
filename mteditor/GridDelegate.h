#pragma once

#include <QStyledItemDelegate>

namespace orvanta {

class TMTEditForm;

// The grid's in-place editor: a line edit whose keys the editor window sees
// first.
class TGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TGridDelegate(TMTEditForm& form);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Closes the editor without handing its text back.
    void Close(QWidget* editor);

protected:
    // The window sees the editor's keys before the delegate's own handling.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMTEditForm& Form;
};

} // namespace orvanta
