#include "app/windows/message_boxes.h"

namespace {

MessageBoxes *installed = nullptr;

} // namespace

// The system's boxes; defined beside the Win32 call that shows them.
MessageBoxes &systemMessageBoxes();

MessageBoxes &MessageBoxes::current()
{
    return installed ? *installed : systemMessageBoxes();
}

void MessageBoxes::install(MessageBoxes *boxes)
{
    installed = boxes;
}

void MessageBoxes::tell(HWND owner, const std::string &text, Icon icon)
{
    current().show(owner, ApplicationTitle, text, icon);
}
