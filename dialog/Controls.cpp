#include "Controls.h"

#include <QComboBox>

#include "Messages.h"

void AppendItem(QComboBox& box, const std::string& text) {
    if (box.count() >= box.maxCount()) throw EInvalidOperation(dialog::msg::kCannotInsert);
    const QString boxText = box.currentText();
    box.addItem(QString::fromStdString(text));
    // Qt picks the first item added to an empty box; appending must not.
    if (box.count() == 1) {
        box.setCurrentIndex(-1);
        box.setEditText(boxText);
    }
}

void ClearBox(QComboBox& box) {
    box.clear();
    box.clearEditText();
}

std::string BoxText(const QComboBox& box) {
    return box.currentText().toStdString();
}

void FocusControl(QWidget& control) {
    if (!control.isVisible() || !control.isEnabled() || control.focusPolicy() == Qt::NoFocus) {
        throw EInvalidOperation(dialog::msg::kCannotFocus);
    }
    control.setFocus(Qt::OtherFocusReason);
}
