#pragma once

#include <string>

#include "dbaccess/Database.h"
#include "dbaccess/Table.h"

namespace copy {

// The two halves of the dialog.
enum TSide { sdOri, sdDes };

// What the copy needs of the window that runs it.
class TCopyView {
public:
    // Shows a text in the message box and returns once the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // Moves the keyboard focus to the copy button.
    virtual void FocusCopyButton() = 0;
    // The text of the side's table combo box, unchanged.
    virtual std::string TableText(TSide side) = 0;
    virtual dbaccess::TDatabase& Database(TSide side) = 0;
    virtual dbaccess::TTable& Table(TSide side) = 0;

protected:
    ~TCopyView() = default;
};

// The copy command: replaces the destination table's rows with the source's,
// inside one transaction on the destination, and reports the outcome in the
// message box. Moving the source to its first row, reading it for the check and
// the roll-back itself are not caught: their failures leave as exceptions.
void RunCopy(TCopyView& view);

}  // namespace copy
