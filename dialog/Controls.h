#pragma once

#include <stdexcept>
#include <string>

class QComboBox;
class QWidget;

// An operation that a control refuses.
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends `text` (UTF-8) at the end of the box's list; fails with
// "Não é possível inserir linhas" when the list takes no further item.
void AppendItem(QComboBox& box, const std::string& text);

// Empties the box: its text and its list.
void ClearBox(QComboBox& box);

// The box's text as typed or picked, unchanged, in UTF-8.
std::string BoxText(const QComboBox& box);

// Moves the keyboard focus to `control`, which runs the exit and enter steps
// the move implies; fails with "Não é possível focar uma janela invisível ou não
// permitida" when the control cannot take the focus.
void FocusControl(QWidget& control);
